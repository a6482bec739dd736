#include "core/WebLinks.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "core/Turns.h"
#include "platform/Ports.h"

#include <QRandomGenerator>
#include <QUrl>

namespace tv {

OprogState frmOprog_Load() {
    return {frmForma().HelpAbout.Caption(),
            QStringLiteral("http://") + QLatin1String(kMakerHost) + QStringLiteral("/site/")};
}

void frmOprog_Label1_Click(const QString &tag) {
    SaveFileUrlm(tag);
}

void OpURL(const QString &target) {
    QString folder = G().ProgramDir;
    if (folder.size() > 3 && folder.endsWith(G().PathSep))
        folder.chop(G().PathSep.size());
    (void)P().shell->open(target, folder);
}

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

namespace {

// Case matters: the browser reports a link's address with its scheme in lower
// case; a status text in capitals is a page's own message, not an address.
bool beginsWithHttp(const QString &text) {
    return text.startsWith(QLatin1String("http"));
}

} // namespace

usrReklamaX::usrReklamaX(qint64 clockMs, QString host) : m_host(std::move(host)) {
    QRandomGenerator random(quint32(clockMs ^ (clockMs >> 32)));
    AdNum = QString::number(random.bounded(10));
}

QString usrReklamaX::titlePage() {
    return QStringLiteral("<html><body scroll='no'><center><table style='border:0px;'><td>"
                          "<font face='Times New Roman' size='6'>Тонвела для MP3</font>"
                          "</td></table></center></body></html>");
}

QString usrReklamaX::advertisingPage() const {
    return QStringLiteral("http://") + m_host + QStringLiteral("/reklama/") + AdNum +
           QStringLiteral(".html");
}

void usrReklamaX::StatusTextChange(const QString &text) {
    if (beginsWithHttp(text))
        LastURL = text;
}

bool usrReklamaX::BeforeNavigate2() {
    if (!beginsWithHttp(LastURL))
        return false;
    SaveFileUrlm(LastURL);
    return true;
}

void usrReklamaX::NewWindow2() {
    if (beginsWithHttp(LastURL))
        SaveFileUrlm(LastURL);
}

} // namespace tv
