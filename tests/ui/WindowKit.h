#pragma once

// Helpers of the widget tests, which are logic tests (a fresh logic with fake
// ports each case) with windows on top.

#include "LogicTest.h"

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

// Opens a menu as the user does (its aboutToShow fires) and closes it again.
inline void openMenu(QMenu *menu) {
    menu->popup(QPoint(0, 0));
    menu->hide();
}

} // namespace tv::test
