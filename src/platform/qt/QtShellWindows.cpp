// The shell's part that only Windows has: its own folder.
#include "platform/qt/QtShell.h"

#include <QDir>

namespace tv {

QString QtShell::windowsDirectory() const {
    QString dir = m_fs.fromNative(QDir::fromNativeSeparators(qEnvironmentVariable("SystemRoot")));
    while (dir.endsWith(QLatin1Char('/')))
        dir.chop(1);
    return dir;
}

} // namespace tv
