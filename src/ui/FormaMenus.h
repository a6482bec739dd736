#pragma once

#include <QHash>

class QAction;
class QMainWindow;
class QMenu;

namespace tv {
class MenuItem;
}

namespace tv::ui {

// The main window's menu bar and its hidden popup menu, each action bound to
// its MenuItem of the logic (caption, enabled, checked) and to its handler.
struct FormaMenus {
    QMenu *File = nullptr;
    QMenu *Edit = nullptr;
    QMenu *EditSort = nullptr;
    QMenu *Music = nullptr;
    QMenu *Help = nullptr;
    // Not on the menu bar: the tray icon opens it.
    QMenu *pMenu = nullptr;
    QHash<const MenuItem *, QAction *> actions;

    QAction *action(const MenuItem &item) const { return actions.value(&item); }
};

// Builds the menus on the window, whose own action list also carries every
// shortcut so that they act while no menu is open.
FormaMenus buildFormaMenus(QMainWindow *window);

} // namespace tv::ui
