#pragma once

// Shared set-up of the widget tests: a fresh logic with fake ports and the
// main window bound to it.

#include "Fakes.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "ui/FormaWindow.h"

#include <QMenu>
#include <memory>

namespace tv::test {

struct WindowEnv {
    LogicEnv env;
    ui::FormaWindow window;

    // Shows the window and waits until it can take keys and clicks.
    bool showActive() {
        window.show();
        window.activateWindow();
        return QTest::qWaitForWindowActive(&window);
    }
};

// Opens a menu as the user does (its aboutToShow fires) and closes it again.
inline void openMenu(QMenu *menu) {
    menu->popup(QPoint(0, 0));
    menu->hide();
}

} // namespace tv::test
