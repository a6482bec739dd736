#include "ui/FormaMenus.h"

#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "core/Language.h"
#include "core/Shutdown.h"
#include "editing/EditCommands.h"
#include "playback/ListAlbomModel.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"
#include "playback/Tray.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace tv::ui {

namespace {

using Handler = void (*)();

QString actionText(const QString &caption) {
    // A caption is shown as written: "&" is no mnemonic here.
    return QString(caption).replace(QLatin1Char('&'), QStringLiteral("&&"));
}

class MenuBuilder {
public:
    MenuBuilder(QMainWindow *window, FormaMenus &menus) : m_window(window), m_menus(menus) {}

    QMenu *topMenu(MenuItem &item, Handler onOpen) {
        auto *menu = m_window->menuBar()->addMenu(QString());
        return setUpMenu(menu, item, onOpen, nullptr);
    }

    QMenu *subMenu(QMenu *parent, MenuItem &item) {
        auto *menu = parent->addMenu(QString());
        return setUpMenu(menu, item, nullptr, nullptr);
    }

    QMenu *popupMenu(MenuItem &item, Handler onOpen) {
        auto *menu = new QMenu(m_window);
        return setUpMenu(menu, item, onOpen, nullptr);
    }

    // An item of a submenu can act only while the submenu itself is enabled.
    QAction *item(QMenu *menu, MenuItem &item, Handler handler, const QKeySequence &key = {},
                  MenuItem *parent = nullptr) {
        auto *action = menu->addAction(QString());
        action->setObjectName(item.objectName());
        action->setShortcut(key);
        bind(item, action, parent);
        if (handler)
            QObject::connect(action, &QAction::triggered, action, [&item, action, parent, handler] {
                handler();
                // The handler alone sets the check mark; undo the toolkit's own toggle.
                sync(item, action, parent);
            });
        if (!key.isEmpty())
            m_window->addAction(action);
        return action;
    }

    // The two non-stop items carry a check mark.
    QAction *checkItem(QMenu *menu, MenuItem &menuItem, Handler handler) {
        QAction *action = item(menu, menuItem, handler);
        action->setCheckable(true);
        sync(menuItem, action, nullptr);
        return action;
    }

private:
    QMenu *setUpMenu(QMenu *menu, MenuItem &item, Handler onOpen, MenuItem *parent) {
        menu->setObjectName(item.objectName());
        bind(item, menu->menuAction(), parent);
        if (onOpen)
            QObject::connect(menu, &QMenu::aboutToShow, menu, onOpen);
        return menu;
    }

    static void sync(const MenuItem &item, QAction *action, const MenuItem *parent) {
        action->setText(actionText(item.Caption()));
        action->setEnabled(item.Enabled() && (!parent || parent->Enabled()));
        action->setChecked(item.Checked());
    }

    void bind(MenuItem &item, QAction *action, MenuItem *parent) {
        sync(item, action, parent);
        auto update = [&item, action, parent] { sync(item, action, parent); };
        QObject::connect(&item, &MenuItem::changed, action, update);
        if (parent)
            QObject::connect(parent, &MenuItem::changed, action, update);
        m_menus.actions.insert(&item, action);
    }

    QMainWindow *m_window;
    FormaMenus &m_menus;
};

void buildFile(MenuBuilder &b, FormaMenus &m, Forma &f) {
    m.File = b.topMenu(f.File, File_Click);
    b.item(m.File, f.FileNew, FileNew_Click, QKeySequence(Qt::CTRL | Qt::Key_N));
    b.item(m.File, f.FileOpen, FileOpen_Click, QKeySequence(Qt::CTRL | Qt::Key_O));
    b.item(m.File, f.FileSave, FileSave_Click, QKeySequence(Qt::CTRL | Qt::Key_S));
    b.item(m.File, f.FileSaveAs, FileSaveAs_Click);
    m.File->addSeparator();
    b.item(m.File, f.FileFound, FileFound_Click, QKeySequence(Qt::Key_F3));
    m.File->addSeparator();
    b.item(m.File, f.FileExit, FileExit_Click);
}

void buildEdit(MenuBuilder &b, FormaMenus &m, Forma &f) {
    m.Edit = b.topMenu(f.Edit, Edit_Click);
    b.item(m.Edit, f.EditAddFile, EditAddFile_Click, QKeySequence(Qt::Key_F5));
    b.item(m.Edit, f.EditClear, EditClear_Click);
    b.item(m.Edit, f.EditDel, EditDel_Click, QKeySequence(Qt::Key_Delete));
    b.item(m.Edit, f.EditChange, EditChange_Click);
    m.EditSort = b.subMenu(m.Edit, f.EditSort);
    b.item(m.EditSort, f.EditSortAlfavit, EditSortAlfavit_Click, {}, &f.EditSort);
    b.item(m.EditSort, f.EditSortRevers, EditSortRevers_Click, QKeySequence(Qt::CTRL | Qt::Key_R),
           &f.EditSort);
    b.item(m.EditSort, f.EditSortRand, EditSortRand_Click, {}, &f.EditSort);
    b.item(m.Edit, f.EditNewDisk, EditNewDisk_Click);
}

void buildMusic(MenuBuilder &b, FormaMenus &m, Forma &f) {
    m.Music = b.topMenu(f.Music, Music_Click);
    b.item(m.Music, f.MusicPlay, MusicPlay_Click);
    b.item(m.Music, f.MusicPausa, MusicPausa_Click);
    b.item(m.Music, f.MusicStop, MusicStop_Click);
    m.Music->addSeparator();
    b.item(m.Music, f.MusicGromkost, MusicGromkost_Click);
    b.checkItem(m.Music, f.MusicNonStop, MusicNonStop_Click);
}

void buildHelp(MenuBuilder &b, FormaMenus &m, Forma &f) {
    m.Help = b.topMenu(f.Help, nullptr);
    b.item(m.Help, f.HelpCallHelp, HelpCallHelp_Click, QKeySequence(Qt::Key_F1));
    b.item(m.Help, f.HelpLang, HelpLang_Click);
    b.item(m.Help, f.HelpAbout, HelpAbout_Click);
}

void buildPopup(MenuBuilder &b, FormaMenus &m, Forma &f) {
    m.pMenu = b.popupMenu(f.pMenu, pMenu_Click);
    b.item(m.pMenu, f.pMenuShowHide, pMenuShowHide_Click);
    m.pMenu->addSeparator();
    b.item(m.pMenu, f.pMenuPlay, pMenuPlay_Click);
    b.item(m.pMenu, f.pMenuPauase, pMenuPauase_Click);
    b.item(m.pMenu, f.pMenuStop, pMenuStop_Click);
    b.item(m.pMenu, f.pMenuGromkost, pMenuGromkost_Click);
    b.checkItem(m.pMenu, f.pMenuNonStop, pMenuNonStop_Click);
    m.pMenu->addSeparator();
    b.item(m.pMenu, f.pMenuListAlbom, pMenuListAlbom_Click);
    m.pMenu->addSeparator();
    b.item(m.pMenu, f.pMenuExit, pMenuExit_Click);
}

} // namespace

FormaMenus buildFormaMenus(QMainWindow *window) {
    FormaMenus menus;
    MenuBuilder builder(window, menus);
    Forma &f = frmForma();
    buildFile(builder, menus, f);
    buildEdit(builder, menus, f);
    buildMusic(builder, menus, f);
    buildHelp(builder, menus, f);
    buildPopup(builder, menus, f);
    return menus;
}

} // namespace tv::ui
