#include "ui/FixedFrame.h"

#include "ui/XcbAtom.h"

#include <QGuiApplication>
#include <QWidget>

#ifdef TV_HAVE_XCB
#include <xcb/xcb.h>
#endif

namespace tv::ui {

#ifdef TV_HAVE_XCB

namespace {

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

} // namespace

// The toolkit's X11 back end always announces "resizable" in the Motif
// hints, whatever the window's flags and fixed size say; a window manager
// that reads them offers resizing and maximising.
void announceFixedFrame(QWidget *window) {
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection() || !window->internalWinId())
        return;
    xcb_connection_t *connection = x11->connection();
    const xcb_atom_t hints = xcbAtom(connection, "_MOTIF_WM_HINTS");
    if (hints == XCB_ATOM_NONE)
        return;
    const uint32_t values[5] = {kHasFunctions | kHasDecorations,
                                kFuncMove | kFuncMinimize | kFuncClose,
                                kDecorBorder | kDecorTitle | kDecorMenu | kDecorMinimize, 0, 0};
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, xcb_window_t(window->internalWinId()),
                        hints, hints, 32, 5, values);
    xcb_flush(connection);
}

#else

void announceFixedFrame(QWidget *) {}

#endif

} // namespace tv::ui
