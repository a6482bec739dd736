// The main window's frame and close request on X11. Elsewhere (Wayland, or
// no display) there is no X connection, and nothing is done.
#include "platform/qt/WindowFrame.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace tv {

namespace {

// The X11 atom of a name (XCB_ATOM_NONE when the server gives none).
xcb_atom_t atom(xcb_connection_t *connection, const char *name) {
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

xcb_connection_t *xConnection() {
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The Motif hints (_MOTIF_WM_HINTS): flags, functions, decorations, input
// mode, status.
enum : uint32_t {
    kHasFunctions = 1,
    kHasDecorations = 2,
    kFuncMove = 4,
    kFuncMinimize = 8,
    kFuncClose = 32,
    kDecorBorder = 2,
    kDecorTitle = 8,
    kDecorMenu = 16,
    kDecorMinimize = 32,
};

// The toolkit's X11 back end always announces "resizable" in the Motif
// hints, whatever the window's flags and fixed size say, and writes them
// again each time the window is made: they are replaced before every show.
void announceFixedFrame(xcb_connection_t *connection, QWidget *window) {
    const xcb_atom_t hints = atom(connection, "_MOTIF_WM_HINTS");
    if (hints == XCB_ATOM_NONE || !window->internalWinId())
        return;
    const uint32_t values[5] = {kHasFunctions | kHasDecorations,
                                kFuncMove | kFuncMinimize | kFuncClose,
                                kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->internalWinId()),
                        hints, hints, 32, 5, values);
    xcb_flush(connection);
}

// The toolkit drops the close request of a window that a modal box blocks;
// this asks the window to close as soon as the running loop gets to it.
class MainFrame : public QObject, public QAbstractNativeEventFilter {
public:
    MainFrame(xcb_connection_t *connection, QWidget *window)
        : QObject(window), m_connection(connection), m_window(window),
          m_protocols(atom(connection, "WM_PROTOCOLS")),
          m_deleteWindow(atom(connection, "WM_DELETE_WINDOW")) {
        window->installEventFilter(this);
        qApp->installNativeEventFilter(this);
    }
    ~MainFrame() override { qApp->removeNativeEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Show)
            announceFixedFrame(m_connection, m_window);
        return false;
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override {
        if (eventType != "xcb_generic_event_t" || !QApplication::activeModalWidget())
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE)
            return false;
        const auto *client = static_cast<const xcb_client_message_event_t *>(message);
        if (client->type != m_protocols || client->data.data32[0] != m_deleteWindow ||
            client->window != xcb_window_t(m_window->internalWinId()))
            return false;
        // Not from inside the filter: the close request may ask a question
        // of its own, and shutdown ends the process.
        QTimer::singleShot(0, m_window, [window = m_window] { window->close(); });
        return false;
    }

private:
    xcb_connection_t *m_connection;
    QWidget *m_window;
    xcb_atom_t m_protocols;
    xcb_atom_t m_deleteWindow;
};

} // namespace

void keepMainFrame(QWidget *window) {
    if (xcb_connection_t *connection = xConnection())
        new MainFrame(connection, window);
}

} // namespace tv
