#pragma once

#include <QString>

namespace tv {

// What the about box frmOprog shows when it opens: the caption of the menu
// item that opened it, and the address behind its link.
struct OprogState {
    QString caption;
    QString linkTag;
};
OprogState frmOprog_Load();

// The link was clicked: its address opens in the user's own browser.
void frmOprog_Label1_Click(const QString &tag);

} // namespace tv
