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

private slots:
    void init() { m = std::make_unique<WindowEnv>(); }
    void cleanup() { m.reset(); }

    // The rules are the logic's (tst_menurules, tst_tray); here, that each
    // menu runs them as it opens: while playing, an item of each starts the
    // other way (the sort submenu's off, so Ctrl+R must not sort either).
    void enablingSeenWhenEachMenuOpens() {
        Forma &f = frmForma();
        m->env.fillPlayList(2);
        registerAlbums(1);
        m->env.player.force(MediaPlayer::Playing);
        G().NumPesni = 0;
        const QList<QPair<MenuItem *, bool>> items = {
            {&f.FileFound, true}, {&f.EditSort, true}, {&f.MusicPlay, false}, {&f.pMenuStop, true}};
        for (const auto &[item, on] : items)
            item->setEnabled(!on);
        const ui::FormaMenus &menus = m->window.menus();
        for (QMenu *menu : {menus.File, menus.Edit, menus.Music, menus.pMenu})
            openMenu(menu);
        for (const auto &[item, on] : items)
            QVERIFY2(act(*item)->isEnabled() == on, qPrintable(item->objectName()));
        QVERIFY(act(f.EditSortRevers)->isEnabled());
    }

    // Ctrl+N works with no menu ever opened (New asks for files); a shortcut
    // acts on the state set when its menu last opened, not the current one.
    void shortcuts() {
        QVERIFY(m->showActive());
        m->window.lstAlbomy()->setFocus();
        QTest::keyClick(&m->window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m->env.windows.calls, QStringList{QStringLiteral("showAddFile")});
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{QStringLiteral("New")});
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

    // The tray's album list item brings the hidden window back with the keys
    // in its album list, and opens no window of its own.
    void trayAlbumListFocusesTheAlbumList() {
        G().ShowForm = false;
        act(frmForma().pMenuListAlbom)->trigger();
        QVERIFY(m->window.isVisible());
        QVERIFY(QTest::qWaitForWindowActive(&m->window));
        QVERIFY(m->window.lstAlbomy()->hasFocus());
        QVERIFY(G().ShowForm);
        QVERIFY(m->env.windows.calls.isEmpty());
    }

    // Either item switches the option and ticks both.
    void nonStopItemsTickTogether() {
        Forma &f = frmForma();
        for (const bool checked : {true, false}) {
            act(checked ? f.MusicNonStop : f.pMenuNonStop)->trigger();
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
