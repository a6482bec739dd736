#include "ui/BannerPage.h"

#include "core/TextLines.h"

#include <QBuffer>
#include <QImageReader>
#include <QRegularExpression>
#include <QStringDecoder>

namespace tv::ui {

namespace {

// A target that names the link's own frame or its parents keeps the link in
// the same window; any other target asks for a new one.
bool opensNewWindow(const QString &tag) {
    static const QRegularExpression target(
        QStringLiteral("\\btarget\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = target.match(tag);
    if (!m.hasMatch())
        return false;
    const QString name = (m.captured(1) + m.captured(2) + m.captured(3)).trimmed().toLower();
    return !name.isEmpty() && name != QLatin1String("_self") && name != QLatin1String("_top") &&
           name != QLatin1String("_parent");
}

QString markHref(QString tag) {
    static const QRegularExpression href(QStringLiteral("(\\bhref\\s*=\\s*[\"']?)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = href.match(tag);
    if (m.hasMatch())
        tag.insert(m.capturedEnd(1), QLatin1String(kNewWindowMark));
    return tag;
}

QString charsetOf(const QByteArray &text) {
    static const QRegularExpression charset(QStringLiteral("charset\\s*=\\s*[\"']?([\\w:.-]+)"),
                                            QRegularExpression::CaseInsensitiveOption);
    return charset.match(QString::fromLatin1(text)).captured(1).toLower();
}

} // namespace

QString prepareBannerPage(const QString &html) {
    static const QRegularExpression script(QStringLiteral("<script\\b.*?</script\\s*>"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression anchor(QStringLiteral("<a\\b[^>]*>"),
                                           QRegularExpression::CaseInsensitiveOption);
    QString page = html;
    page.remove(script);
    QString out;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &m : anchor.globalMatch(page)) {
        out += QStringView(page).mid(from, m.capturedStart() - from);
        out += opensNewWindow(m.captured()) ? markHref(m.captured()) : m.captured();
        from = m.capturedEnd();
    }
    out += QStringView(page).mid(from);
    return out;
}

QString linkAddress(const QString &href, const QUrl &page, bool *newWindow) {
    QString text = href.trimmed();
    const QString mark = QLatin1String(kNewWindowMark);
    const bool marked = text.startsWith(mark);
    if (marked)
        text.remove(0, mark.size());
    if (newWindow)
        *newWindow = marked;
    if (text.isEmpty())
        return {};
    const QUrl link(text);
    return link.isRelative() ? page.resolved(link).toString() : text;
}

bool isBannerResource(const QUrl &address) {
    return address.scheme() == QLatin1String("http") || address.scheme() == QLatin1String("https");
}

QImage decodeBannerPicture(const QByteArray &bytes, qint64 maxPixels) {
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > maxPixels)
        return {};
    // The size was the header's word: the picture decoded is held to it too.
    QImage image = reader.read();
    if (image.isNull() || qint64(image.width()) * image.height() > maxPixels)
        return {};
    return image;
}

QString decodeBannerPage(const QByteArray &bytes, const QByteArray &contentType) {
    QString charset = charsetOf(contentType);
    if (charset.isEmpty())
        charset = charsetOf(bytes.left(1024));
    if (charset == QLatin1String("windows-1251") || charset == QLatin1String("cp1251"))
        return Cp1251::decode(bytes);
    if (!charset.isEmpty() && charset != QLatin1String("utf-8")) {
        QStringDecoder named(charset.toLatin1().constData());
        if (named.isValid()) {
            const QString text = named(bytes);
            if (!named.hasError())
                return text;
        }
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Cp1251::decode(bytes) : text;
}

} // namespace tv::ui
