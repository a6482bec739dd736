// A POSIX system has no Windows folder: the volume control is looked for
// among the desktops' mixers alone.
#include "platform/qt/QtShell.h"

namespace tv {

QString QtShell::windowsDirectory() const {
    return {};
}

} // namespace tv
