#pragma once

#include <QByteArray>
#include <QString>

namespace tv {

// The maker's web site: the banner's advertising pages and the about box's
// link live there.
inline constexpr char kMakerHost[] = "tonvela.example";

// Opens a document, a program or an address with the desktop's "Open", in
// the program's folder. Whether it opened is not looked at.
void OpURL(const QString &target);

// Shows a web address in the user's own browser: writes a redirect page into
// the folder "Language" of the program and opens that page.
void SaveFileUrlm(QString address);

// The redirect page for an http or https address, one line in Windows-1251;
// empty for any other address.
QByteArray redirectPage(const QString &address);

// How many numbered redirect files are tried before giving up.
constexpr int kRedirectFiles = 100;

// AppDir + "Language" + PathSep + n + ".html".
QString redirectFile(int n);

} // namespace tv
