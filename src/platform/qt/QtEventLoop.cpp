#include "platform/qt/QtEventLoop.h"

#include <QApplication>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace tv {

void QtEventLoop::DoEvents() {
    // Once the run has ended, nothing may be handled any more.
    if (!m_ended)
        QCoreApplication::processEvents();
}

void QtEventLoop::endProcess() {
    m_ended = true;
    if (!QCoreApplication::instance())
        return;
    // Hidden, not closed: closing would run the windows' close handlers again.
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        for (QWidget *w : QApplication::topLevelWidgets())
            w->hide();
    }
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(0);
    else
        QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

} // namespace tv
