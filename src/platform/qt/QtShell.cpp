#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QRegularExpression>
#include <QUrl>

namespace tv {

namespace {

// "http://...", "mailto:..." - but not "C:/...", whose one letter is a drive.
bool isAddress(const QString &target) {
    static const QRegularExpression scheme(QStringLiteral("^[A-Za-z][A-Za-z0-9+.-]+:"));
    return scheme.match(target).hasMatch();
}

bool isLettered(const QString &path) {
    return path.size() >= 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter();
}

} // namespace

bool QtShell::open(const QString &target, const QString &workDir) {
    if (target.isEmpty())
        return false;
    if (isAddress(target))
        return QDesktopServices::openUrl(QUrl(target));
    QString lettered = target;
    if (!isLettered(target) && !workDir.isEmpty()) {
        lettered = workDir;
        if (!lettered.endsWith(QLatin1Char('/')) && !lettered.endsWith(QLatin1Char('\\')))
            lettered += QLatin1Char('/');
        lettered += target;
    }
    const QString native = m_fs.toNative(lettered);
    if (native.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(native));
}

} // namespace tv
