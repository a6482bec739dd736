#include "WindowKit.h"

#include "core/Language.h"

#include <QAction>
#include <QListView>
#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

class TestFormaMenus : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowEnv> m;

    QAction *act(const MenuItem &item) { return m->window.menus().action(item); }
    QAction *act(const QString &name) {
        for (MenuItem *item : frmForma().menuItems())
            if (item->objectName() == name)
                return act(*item);
        return nullptr;
    }

private slots:
    void init() { m = std::make_unique<WindowEnv>(); }
    void cleanup() { m.reset(); }

    // The rules themselves are the logic's (tst_menurules, tst_tray); here,
    // that every menu runs them as it opens: while playing, every rule
    // enables some items and disables others.
    void enablingSeenWhenEachMenuOpens() {
        Forma &f = frmForma();
        m->env.fillPlayList(2);
        registerAlbums(1);
        m->env.player.force(MediaPlayer::Playing);
        G().NumPesni = 0;
        const QList<QPair<MenuItem *, QString>> rules = {
            {&f.FileFound, "found"},       {&f.EditClear, "edit"},      {&f.EditDel, "edit"},
            {&f.EditChange, "edit"},       {&f.EditSort, "edit"},       {&f.MusicPlay, "play"},
            {&f.MusicPausa, "pauseStop"},  {&f.MusicStop, "pauseStop"}, {&f.pMenuPlay, "play"},
            {&f.pMenuPauase, "pauseStop"}, {&f.pMenuStop, "pauseStop"}};
        const QStringList on = {"found", "edit", "pauseStop"};
        // Each item starts the other way, so a rule that only enables shows.
        for (const auto &[item, rule] : rules)
            item->setEnabled(!on.contains(rule));
        const ui::FormaMenus &menus = m->window.menus();
        for (QMenu *menu : {menus.File, menus.Edit, menus.Music, menus.pMenu})
            openMenu(menu);
        for (const auto &[item, rule] : rules)
            QVERIFY2(act(*item)->isEnabled() == on.contains(rule), qPrintable(item->objectName()));
        // Ctrl+R must not sort while the sort submenu is off.
        QCOMPARE(act(f.EditSortRevers)->isEnabled(), on.contains("edit"));
        for (MenuItem *item : {&f.EditAddFile, &f.EditNewDisk, &f.MusicGromkost, &f.MusicNonStop})
            QVERIFY2(act(*item)->isEnabled(), qPrintable(item->objectName()));
    }

    // A shortcut acts on the state set when its menu last opened, not the current one.
    void shortcutsActOnTheStateLastSet() {
        QVERIFY(m->showActive());
        QSignalSpy del(act(frmForma().EditDel), &QAction::triggered);
        openMenu(m->window.menus().Edit); // empty playlist
        m->env.fillPlayList(2);
        openMenu(m->window.menus().File);
        openMenu(m->window.menus().Music);
        m->window.PlayList()->setFocus();
        QTest::keyClick(&m->window, Qt::Key_Delete);
        QCOMPARE(del.size(), 0);
        openMenu(m->window.menus().Edit);
        QTest::keyClick(&m->window, Qt::Key_Delete);
        QCOMPARE(del.size(), 1);
    }

    // Ctrl+N with no menu ever opened: New asks for files.
    void shortcutWorksWhileTheMenusAreClosed() {
        QVERIFY(m->showActive());
        m->window.lstAlbomy()->setFocus();
        QTest::keyClick(&m->window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m->env.windows.calls, QStringList{QStringLiteral("showAddFile")});
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{QStringLiteral("New")});
    }

    // The tray's album list item brings the hidden window back with the keys
    // in its album list, and opens no window of its own.
    void trayAlbumListFocusesTheAlbumList() {
        G().ShowForm = false;
        act("pMenuListAlbom")->trigger();
        QVERIFY(m->window.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&m->window));
        QVERIFY(m->window.lstAlbomy()->hasFocus());
        QVERIFY(G().ShowForm);
        QVERIFY(m->env.windows.calls.isEmpty());
    }

    // Either item switches the option and ticks both.
    void nonStopItemsTickTogether() {
        Forma &f = frmForma();
        for (int i = 0; i < 4; ++i) {
            act(i < 2 ? "MusicNonStop" : "pMenuNonStop")->trigger();
            const bool checked = i % 2 == 0;
            QCOMPARE(act(f.MusicNonStop)->isChecked(), checked);
            QCOMPARE(act(f.pMenuNonStop)->isChecked(), checked);
            QCOMPARE(f.MusicNonStop.Checked(), checked);
        }
    }

    void captionsFollowTheItems() {
        Forma &f = frmForma();
        LanguageEnM();
        QCOMPARE(act(f.FileOpen)->text(), QStringLiteral("Open"));
        // An ampersand shows as itself instead of underlining the next letter.
        f.HelpAbout.setCaption(QStringLiteral("Rock & Roll"));
        QCOMPARE(act(f.HelpAbout)->text(), QStringLiteral("Rock && Roll"));
    }
};

QTEST_MAIN(TestFormaMenus)
#include "tst_formamenus.moc"
