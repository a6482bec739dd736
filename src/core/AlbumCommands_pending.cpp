// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "core/AlbumCommands.h"

namespace tv {

void FileNew_Click() {}
void FileOpen_Click() {}
void FileSave_Click() {}
void FileSaveAs_Click() {}
void OpenDialogM() {}
void SaveAsM() {}
int ZaprosSaveAlbomM() { return 0; }
void LoadAlbomInfoM() {}
QString apiOpenSaveM(int,  const QString &) { return {}; }
void lstAlbomy_DblClick() {}
void lstAlbomy_KeyPress() {}
void lstAlbomy_KeyUp(int) {}

} // namespace tv
