#pragma once

namespace tv {

// Apply one column of the language table: the text globals, the main
// window's caption, menu items and Label1.
void LanguageRuM();
void LanguageEnM();
// LanguageEnM when Language is not 0, else LanguageRuM.
void applyLanguage();

} // namespace tv
