#pragma once

// Shared set-up of the widget tests: a fresh logic with fake ports and the
// main window bound to it.

#include "LogicTest.h"

#include "ui/FormaWindow.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace tv::test {

// Shows a window and waits until it can take keys and clicks.
inline bool showActive(QWidget &w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w);
}

struct WindowEnv {
    LogicEnv env;
    ui::FormaWindow window;

    bool showActive() { return test::showActive(window); }
};

// Opens a menu as the user does (its aboutToShow fires) and closes it again.
inline void openMenu(QMenu *menu) {
    menu->popup(QPoint(0, 0));
    menu->hide();
}

} // namespace tv::test
