#include "platform/qt/QtShell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
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

ProgramCommand QtShell::findProgram(const QList<ProgramCommand> &candidates) const {
    for (const ProgramCommand &candidate : candidates) {
        const QString path = QStandardPaths::findExecutable(candidate.program);
        if (!path.isEmpty())
            return {path, candidate.arguments};
    }
    return {};
}

QString QtShell::nativeDir(const QString &workDir) const {
    const QString native = m_fs.toNative(workDir);
    return QFileInfo(native).isDir() ? native : QString();
}

bool QtShell::start(const ProgramCommand &command, const QString &workDir) {
    if (command.program.isEmpty())
        return false;
    return QProcess::startDetached(command.program, command.arguments, nativeDir(workDir));
}

} // namespace tv
