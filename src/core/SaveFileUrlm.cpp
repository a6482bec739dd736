#include "core/Cp1251.h"
#include "core/Globals.h"
#include "core/WebLinks.h"
#include "platform/Ports.h"

#include "core/Turns.h"
#include <QUrl>

namespace tv {

namespace {

// Only a web address is handed to the browser: a "file:" or "javascript:"
// address from a remote page must not run on this machine.
bool isWebAddress(const QString &address) {
    for (const QChar c : address)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    const QUrl url(address);
    const QString scheme = url.scheme();
    return url.isValid() && !url.host().isEmpty() &&
           (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
           (address.startsWith(scheme + QLatin1String("://"), Qt::CaseInsensitive));
}

// The address inside a quoted attribute: quotes and markup become character
// references, and so does what Windows-1251 cannot hold.
QByteArray attributeText(const QString &address) {
    QByteArray out;
    for (const char32_t c : address.toUcs4()) {
        const QString one = QString::fromUcs4(&c, 1);
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '\'':
            out += "&#39;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        default:
            out += Cp1251::fits(one) ? Cp1251::encode(one) : "&#" + QByteArray::number(c) + ';';
        }
    }
    return out;
}

} // namespace

QByteArray redirectPage(const QString &address) {
    if (!isWebAddress(address))
        return {};
    return "<html><head><meta http-equiv='refresh' content='0; url=" + attributeText(address) +
           "'><meta http-equiv='Content-Type' content='text/html; charset=windows-1251'>"
           "<title>WWW</title></head><body></body></html>\r\n";
}

QString redirectFile(int n) {
    return G().AppDir + QStringLiteral("Language") + G().PathSep + QString::number(n) +
           QStringLiteral(".html");
}

// A page the browser still holds open cannot be replaced: the next number is
// taken. The numbers end, so a missing folder cannot make this loop forever.
void SaveFileUrlm(QString address) {
    const QByteArray page = redirectPage(address);
    if (page.isEmpty())
        return;
    QString written;
    for (int n = 0; n < kRedirectFiles && written.isEmpty(); ++n) {
        const QString file = redirectFile(n);
        if (P().fs->writeFile(file, page) == FileError::None)
            written = file;
    }
    if (written.isEmpty())
        return;
    letEventsIn();
    OpURL(written);
}

} // namespace tv
