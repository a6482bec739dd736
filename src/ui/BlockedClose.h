#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>

class QWidget;

namespace tv::ui {

// The window system's close request for a window that a modal box or window
// blocks. The toolkit drops it, yet closing the main window is the way out
// whatever is open (and the close request decides what happens): the window
// is asked to close as soon as the running loop gets to it. X11 only; other
// systems deliver the request themselves.
class BlockedClose : public QAbstractNativeEventFilter {
public:
    explicit BlockedClose(QWidget *window);
    ~BlockedClose() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    QWidget *m_window;
    quint32 m_protocols = 0;
    quint32 m_deleteWindow = 0;
};

} // namespace tv::ui
