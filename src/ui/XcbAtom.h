#pragma once

#ifdef TV_HAVE_XCB
#include <xcb/xcb.h>

namespace tv::ui {

// The X11 atom of a name (XCB_ATOM_NONE when the server gives none).
xcb_atom_t xcbAtom(xcb_connection_t *connection, const char *name);

} // namespace tv::ui
#endif
