// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "core/Startup.h"

namespace tv {

bool Main(const QString &) { return true; }
void Form_QueryUnload(bool *) {}
void SaveINIM() {}
void FileExit_Click() {}
void pMenuExit_Click() {}

} // namespace tv
