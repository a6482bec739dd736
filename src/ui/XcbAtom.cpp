#include "ui/XcbAtom.h"

#ifdef TV_HAVE_XCB
#include <cstdlib>
#include <cstring>

namespace tv::ui {

xcb_atom_t xcbAtom(xcb_connection_t *connection, const char *name) {
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

} // namespace tv::ui
#endif
