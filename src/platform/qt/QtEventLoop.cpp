#include "platform/qt/QtEventLoop.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>

namespace tv {

// A long command goes on after the window painted.
void QtEventLoop::DoEvents() {
    QCoreApplication::processEvents();
}

// The settings file was written whole and renamed into place before this
// runs; the window system and the sound server let go of whatever a process
// that ends still held.
void QtEventLoop::endProcess() {
    if (m_lastStep)
        m_lastStep();
    std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace tv
