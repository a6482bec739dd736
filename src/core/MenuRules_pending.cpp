// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "core/MenuRules.h"

namespace tv {

void File_Click() {}
void Edit_Click() {}
void Music_Click() {}
void Form_Resize(bool) {}

} // namespace tv
