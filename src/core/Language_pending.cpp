// PENDING: placeholder bodies so that everything links; replace, then delete this file.
#include "core/Language.h"

namespace tv {

void LanguageRuM() {}
void LanguageEnM() {}
void applyLanguage() {}

} // namespace tv
