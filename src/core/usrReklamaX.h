#pragma once

#include "core/WebLinks.h"

#include <QDateTime>
#include <QString>

namespace tv {

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
