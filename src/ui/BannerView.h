#pragma once

#include "core/WebLinks.h"
#include "platform/WebFetcher.h"

#include <QHash>
#include <QImage>
#include <QTextBrowser>
#include <QUrl>
#include <QWidget>
#include <memory>
#include <vector>

class QLabel;
class QPushButton;

namespace tv::ui {

class BannerBrowser;

// The banner usrReklamaX1: a small web browser that shows the program's
// title, then an advertising page of the maker's site. Pages are fetched in
// the background; a page that does not come leaves the one shown. Links are
// never followed inside the banner: the last address pointed at opens in the
// user's own browser.
class BannerView : public QWidget {
    Q_OBJECT
public:
    explicit BannerView(QWidget *parent = nullptr,
                        const QString &host = QString::fromLatin1(kMakerHost),
                        qint64 clockMs = QDateTime::currentMSecsSinceEpoch());
    ~BannerView() override;

    // Loads the advertising page, never from a cache.
    void Start();

    QTextBrowser *WebBrowser1() const;
    QWidget *Picture1() const { return m_panel; }
    QPushButton *kObnovit() const { return m_reload; }
    const usrReklamaX &rules() const { return m_rules; }
    // The address of the page shown; empty while the title page shows.
    QUrl page() const { return m_page; }
    // How long a page may keep the banner waiting for its next bytes.
    void setTimeout(int ms) { m_timeoutMs = ms; }

signals:
    // A page (or a picture of it) has arrived and shows.
    void pageShown(const QUrl &address);

private:
    friend class BannerBrowser;

    void buildPanel();
    void showTitlePage();
    void navigate(const QUrl &address);
    void pageArrived(const WebAnswer &answer);
    QImage picture(const QUrl &address);
    void pictureArrived(const WebAnswer &answer, const QUrl &address);
    // The browser's status text: the address of the link under the mouse.
    void pointedAt(const QString &href);
    void clicked(const QUrl &link);

    usrReklamaX m_rules;
    BannerBrowser *m_browser;
    QWidget *m_panel = nullptr;
    QPushButton *m_reload = nullptr;
    std::unique_ptr<WebFetcher::Fetch> m_pageFetch;
    QUrl m_page;
    QHash<QUrl, QImage> m_pictures;
    std::vector<std::unique_ptr<WebFetcher::Fetch>> m_pictureFetches;
    // The pixels the page's pictures may still take.
    qint64 m_pixelsLeft = 0;
    int m_timeoutMs = 20000;
};

} // namespace tv::ui
