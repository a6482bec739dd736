#include "ui/BannerView.h"

#include "ui/BannerPage.h"
#include "ui/Fonts.h"
#include "ui/Twips.h"

#include "platform/Ports.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace tv::ui {

namespace {

// Enough for a banner; a larger answer is not a banner page and is dropped.
constexpr qint64 kMaxPageBytes = 1 << 20;
constexpr qint64 kMaxPictureBytes = 2 << 20;
constexpr int kMaxPictures = 32;

// The browser's size in twips.
constexpr int kWidth = 11895;
constexpr int kHeight = 1095;

// Pictures are decoded only as large as a banner can use: each one a few
// times the banner's area, all of a page's together a few times more. The
// bytes fetched say little: a small file can hold a huge picture.
constexpr qint64 kArea = qint64(px(kWidth)) * px(kHeight);
constexpr qint64 kMaxPicturePixels = 4 * kArea;
constexpr qint64 kMaxPagePixels = 16 * kArea;

// What shows in place of a picture that has not come or never will.
QImage noPicture() {
    QImage none(1, 1, QImage::Format_ARGB32);
    none.fill(Qt::transparent);
    return none;
}

} // namespace

// The browser of the banner: its pictures come from the network through the
// banner, its links go to the banner's rules. Every resource the page names
// is answered here, with something: the text browser would otherwise read an
// unanswered one from the disk by its name, or from the page's own text.
class BannerBrowser : public QTextBrowser {
public:
    explicit BannerBrowser(BannerView *banner) : QTextBrowser(banner), m_banner(banner) {}

    QVariant loadResource(int type, const QUrl &name) override {
        if (type != QTextDocument::ImageResource)
            return QString();
        if (!m_banner->m_page.isValid())
            return noPicture();
        return m_banner->picture(m_banner->m_page.resolved(name));
    }

protected:
    // The status text is the link's address as the page spells it: the
    // browser's own signal gives it parsed, its scheme in lower case.
    void mouseMoveEvent(QMouseEvent *event) override {
        const QString href = anchorAt(event->position().toPoint());
        if (href != m_href) {
            m_href = href;
            m_banner->pointedAt(href);
        }
        QTextBrowser::mouseMoveEvent(event);
    }

private:
    BannerView *m_banner;
    QString m_href;
};

BannerView::BannerView(QWidget *parent, const QString &host, qint64 clockMs)
    : QWidget(parent), m_rules(clockMs, host), m_browser(new BannerBrowser(this)) {
    setObjectName(QStringLiteral("usrReklamaX1"));
    m_browser->setObjectName(QStringLiteral("WebBrowser1"));
    m_browser->setFrameShape(QFrame::NoFrame);
    m_browser->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    m_browser->setContextMenuPolicy(Qt::NoContextMenu);
    m_browser->setFocusPolicy(Qt::NoFocus);
    m_browser->document()->setDefaultFont(pageFont());
    m_browser->setGeometry(twipsRect(0, 0, kWidth, kHeight));
    connect(m_browser, &QTextBrowser::anchorClicked, this, &BannerView::clicked);
    buildPanel();
    showTitlePage();
}

// The fetches still on their way go with the banner, unanswered.
BannerView::~BannerView() = default;

QTextBrowser *BannerView::WebBrowser1() const {
    return m_browser;
}

// The hint for a machine off the network, with its reload button. Nothing
// shows it: the banner keeps its title page instead.
void BannerView::buildPanel() {
    m_panel = new QWidget(this);
    m_panel->setObjectName(QStringLiteral("Picture1"));
    m_panel->setGeometry(twipsRect(1680, 30, 5535, 855));
    m_reload = new QPushButton(QStringLiteral("Загрузить рекламу"), m_panel);
    m_reload->setObjectName(QStringLiteral("kObnovit"));
    m_reload->setGeometry(twipsRect(3600, 30, 1815, 315));
    connect(m_reload, &QPushButton::clicked, this, &BannerView::Start);
    const struct {
        const char *text;
        QRect rect;
    } hints[] = {
        {"Подключитесь к сети и нажмите эту кнопку", twipsRect(120, 120, 3345, 195)},
        {"ВНИМАНИЕ! Браузер должен иметь разрешение на запуск скриптов.",
         twipsRect(120, 360, 5340, 195)},
        {"Другие программы проекта Tonvela - на его сайте.", twipsRect(120, 600, 4695, 195)},
    };
    for (const auto &hint : hints)
        (new QLabel(QString::fromUtf8(hint.text), m_panel))->setGeometry(hint.rect);
    m_panel->hide();
}

// The text browser wants the table's row spelled out, and centres a table
// by its own alignment rather than by the <center> around it.
void BannerView::showTitlePage() {
    m_page.clear();
    QString page = usrReklamaX::titlePage();
    page.replace(QLatin1String("<table "), QLatin1String("<table align='center' "));
    page.replace(QLatin1String("<td>"), QLatin1String("<tr><td>"));
    page.replace(QLatin1String("</td>"), QLatin1String("</td></tr>"));
    m_browser->setHtml(page);
}

void BannerView::Start() {
    navigate(QUrl(m_rules.advertisingPage()));
}

// A newer page replaces the one still on its way.
void BannerView::navigate(const QUrl &address) {
    if (!isBannerResource(address))
        return;
    m_pageFetch = P().web->fetch(address, kMaxPageBytes, m_timeoutMs,
                                 [this](const WebAnswer &answer) { pageArrived(answer); });
}

// Whatever went wrong (no network, no answer, no page) leaves the page that
// shows and says nothing.
void BannerView::pageArrived(const WebAnswer &answer) {
    if (!answer.ok)
        return;
    m_page = answer.url;
    m_pictures.clear();
    m_pictureFetches.clear();
    m_pixelsLeft = kMaxPagePixels;
    m_browser->document()->setBaseUrl(m_page);
    m_browser->setHtml(prepareBannerPage(decodeBannerPage(answer.body, answer.contentType)));
    emit pageShown(m_page);
}

// The picture when it is here; else it is fetched, and the page is laid out
// anew when it comes.
QImage BannerView::picture(const QUrl &address) {
    const auto known = m_pictures.constFind(address);
    if (known != m_pictures.constEnd())
        return known->isNull() ? noPicture() : *known;
    if (!isBannerResource(address) || m_pictures.size() >= kMaxPictures)
        return noPicture();
    m_pictures.insert(address, QImage());
    m_pictureFetches.push_back(P().web->fetch(
        address, kMaxPictureBytes, m_timeoutMs,
        [this, address](const WebAnswer &answer) { pictureArrived(answer, address); }));
    return noPicture();
}

// The document keeps what it was first told for an address: the picture
// that came is given to it under the same address.
void BannerView::pictureArrived(const WebAnswer &answer, const QUrl &address) {
    if (!answer.ok || !m_pictures.contains(address))
        return;
    const QImage image = decodeBannerPicture(answer.body, qMin(kMaxPicturePixels, m_pixelsLeft));
    if (image.isNull())
        return;
    m_pixelsLeft -= qint64(image.width()) * image.height();
    m_pictures.insert(address, image);
    QTextDocument *document = m_browser->document();
    document->addResource(QTextDocument::ImageResource, address, image);
    document->markContentsDirty(0, document->characterCount());
    emit pageShown(m_page);
}

void BannerView::pointedAt(const QString &href) {
    m_rules.StatusTextChange(linkAddress(href, m_page));
}

void BannerView::clicked(const QUrl &link) {
    bool newWindow = false;
    const QString address = linkAddress(link.toString(), m_page, &newWindow);
    if (newWindow) {
        m_rules.NewWindow2();
        return;
    }
    if (!m_rules.BeforeNavigate2())
        navigate(QUrl(address));
}

} // namespace tv::ui
