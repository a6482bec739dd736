#include "ui/BlockedClose.h"

#include "ui/XcbAtom.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

#ifdef TV_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace tv::ui {

#ifdef TV_HAVE_XCB

BlockedClose::BlockedClose(QWidget *window) : m_window(window) {
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    m_protocols = xcbAtom(x11->connection(), "WM_PROTOCOLS");
    m_deleteWindow = xcbAtom(x11->connection(), "WM_DELETE_WINDOW");
    qApp->installNativeEventFilter(this);
}

BlockedClose::~BlockedClose() {
    if (m_protocols)
        qApp->removeNativeEventFilter(this);
}

bool BlockedClose::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) {
    if (eventType != "xcb_generic_event_t" || !QApplication::activeModalWidget())
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
        return false;
    const auto *client = static_cast<const xcb_client_message_event_t *>(message);
    if (client->type != m_protocols || client->data.data32[0] != m_deleteWindow ||
        client->window != xcb_window_t(m_window->internalWinId()))
        return false;
    // Not from inside the filter: the close request may ask a question of
    // its own, and shutdown ends the process.
    QTimer::singleShot(0, m_window, [window = m_window] { window->close(); });
    return false;
}

#else

BlockedClose::BlockedClose(QWidget *window) : m_window(window) {}
BlockedClose::~BlockedClose() = default;
bool BlockedClose::nativeEventFilter(const QByteArray &, void *, qintptr *) {
    return false;
}

#endif

} // namespace tv::ui
