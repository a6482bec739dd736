#pragma once

#include <QString>

namespace tv {

// Apply one column of the language table: the text globals, the main
// window's caption, menu items and Label1.
void LanguageRuM();
void LanguageEnM();
// LanguageEnM when Language is not 0, else LanguageRuM.
void applyLanguage();

// What the language dialog shows when it opens: the row of the current
// language selected, its caption and the caption of its Cancel button.
struct LangDialogState {
    int row;
    QString caption;
    QString cancel;
};
LangDialogState frmLang_Load();
// OK or a double-click on a row: that row's language becomes the one in use.
// Cancel, Esc and closing the dialog call nothing.
void frmLang_OK(int selectedRow);

// Help > Language: the language dialog, modal.
void HelpLang_Click();

} // namespace tv
