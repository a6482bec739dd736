#pragma once

#include <QByteArray>
#include <QDateTime>
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

// What the about box frmOprog shows when it opens: the caption of the menu
// item that opened it, and the address behind its link.
struct OprogState {
    QString caption;
    QString linkTag;
};
OprogState frmOprog_Load();

// The link was clicked: its address opens in the user's own browser.
void frmOprog_Label1_Click(const QString &tag);

// The banner across the top of the main window, as the logic sees it: which
// pages it shows, and what its browser's events do. A browser widget binds to
// it; it lives as long as that widget.
class usrReklamaX {
public:
    // The advertising page is picked from the clock: ten pages, one per run.
    explicit usrReklamaX(qint64 clockMs = QDateTime::currentMSecsSinceEpoch(),
                         QString host = QString::fromLatin1(kMakerHost));

    // "0" to "9": names the advertising page.
    QString AdNum;
    // The last status text of the browser that began with "http": the
    // address of the link last pointed at.
    QString LastURL;

    // The program's title, large and centred, shown at creation.
    static QString titlePage();
    // "http://" + host + "/reklama/" + AdNum + ".html", fetched anew by Start.
    QString advertisingPage() const;

    // The browser's status text changed.
    void StatusTextChange(const QString &text);
    // The browser is about to follow a link; returns whether it is cancelled
    // (the pointed-at address then opens in the user's own browser).
    bool BeforeNavigate2();
    // The page asks for a new window: always refused; the pointed-at
    // address, if any, opens in the user's own browser.
    void NewWindow2();

private:
    QString m_host;
};

} // namespace tv
