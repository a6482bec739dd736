#include "core/usrReklamaX.h"

#include "core/WebLinks.h"

#include <QRandomGenerator>

namespace tv {

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
