#include "WindowKit.h"

#include "core/Language.h"
#include "ui/FormaMenus.h"

#include <QAction>
#include <QListView>
#include <QMenuBar>
#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

class TestFormaMenus : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowEnv> m;

    const ui::FormaMenus &menus() { return m->window.menus(); }
    QAction *act(const MenuItem &item) { return menus().action(item); }

    // Item names of a menu in order, "-" for a separator, "name>" for a submenu.
    static QStringList layout(QMenu *menu) {
        QStringList names;
        for (QAction *a : menu->actions()) {
            if (a->isSeparator())
                names << QStringLiteral("-");
            else if (a->menu())
                names << a->menu()->objectName() + QLatin1Char('>');
            else
                names << a->objectName();
        }
        return names;
    }

private slots:
    void init() { m = std::make_unique<WindowEnv>(); }
    void cleanup() { m.reset(); }

    void menuTreeAsDesigned_data() {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("items");
        QTest::newRow("File") << "File"
                              << QStringList{"FileNew", "FileOpen",  "FileSave", "FileSaveAs",
                                             "-",       "FileFound", "-",        "FileExit"};
        QTest::newRow("Edit") << "Edit" << QStringList{"EditAddFile", "EditClear", "EditDel",
                                                       "EditChange",  "EditSort>", "EditNewDisk"};
        QTest::newRow("EditSort") << "EditSort"
                                  << QStringList{"EditSortAlfavit", "EditSortRevers",
                                                 "EditSortRand"};
        QTest::newRow("Music") << "Music"
                               << QStringList{"MusicPlay", "MusicPausa",    "MusicStop",
                                              "-",         "MusicGromkost", "MusicNonStop"};
        QTest::newRow("Help") << "Help" << QStringList{"HelpCallHelp", "HelpLang", "HelpAbout"};
        QTest::newRow("pMenu") << "pMenu" << QStringList{"pMenuShowHide",  "-",
                                                         "pMenuPlay",      "pMenuPauase",
                                                         "pMenuStop",      "pMenuGromkost",
                                                         "pMenuNonStop",   "-",
                                                         "pMenuListAlbom", "-",
                                                         "pMenuExit"};
    }
    void menuTreeAsDesigned() {
        QFETCH(QString, menu);
        QFETCH(QStringList, items);
        auto *found = m->window.findChild<QMenu *>(menu);
        QVERIFY(found);
        QCOMPARE(layout(found), items);
    }

    void menuBarHoldsFourMenusAndNotThePopup() {
        QStringList titles;
        for (QAction *a : m->window.menuBar()->actions())
            titles << a->text();
        QCOMPARE(titles, (QStringList{"Файл", "Правка", "Музыка", "Справка"}));
        QVERIFY(m->window.pMenu());
        QVERIFY(!m->window.menuBar()->actions().contains(m->window.pMenu()->menuAction()));
    }

    void shortcutsAsDesigned_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("keys");
        const char *rows[][2] = {{"FileNew", "Ctrl+N"},  {"FileOpen", "Ctrl+O"},
                                 {"FileSave", "Ctrl+S"}, {"FileSaveAs", ""},
                                 {"FileFound", "F3"},    {"EditAddFile", "F5"},
                                 {"EditDel", "Del"},     {"EditSortRevers", "Ctrl+R"},
                                 {"HelpCallHelp", "F1"}, {"MusicPlay", ""},
                                 {"pMenuExit", ""}};
        for (auto &row : rows)
            QTest::newRow(row[0]) << row[0] << row[1];
    }
    void shortcutsAsDesigned() {
        QFETCH(QString, item);
        QFETCH(QString, keys);
        auto *a = m->window.findChild<QAction *>(item);
        QVERIFY(a);
        QCOMPARE(a->shortcut().toString(), keys);
        // A shortcut must work while its menu is closed.
        QCOMPARE(m->window.actions().contains(a), !keys.isEmpty());
    }

    void captionsAndChecksFollowTheItems() {
        Forma &f = frmForma();
        QCOMPARE(act(f.FileOpen)->text(), QStringLiteral("Открыть..."));
        QVERIFY(!act(f.MusicPlay)->isEnabled());
        QVERIFY(act(f.MusicNonStop)->isCheckable());
        QVERIFY(!act(f.MusicNonStop)->isChecked());
        LanguageEnM();
        QCOMPARE(act(f.FileOpen)->text(), QStringLiteral("Open"));
        QCOMPARE(act(f.Edit)->text(), QStringLiteral("Edit"));
        QCOMPARE(act(f.FileFound)->text(), QStringLiteral("Поиск"));
        QCOMPARE(act(f.pMenuExit)->text(), QStringLiteral("Выход"));
        // A caption shows its ampersand instead of underlining the next letter.
        f.HelpAbout.setCaption(QStringLiteral("Rock & Roll"));
        QCOMPARE(act(f.HelpAbout)->text(), QStringLiteral("Rock && Roll"));
    }

    void fileMenuEnablesSearchWithAnAlbum_data() {
        QTest::addColumn<int>("albomUB");
        QTest::addColumn<bool>("found");
        QTest::newRow("empty registry") << -1 << false;
        QTest::newRow("one album") << 0 << true;
    }
    void fileMenuEnablesSearchWithAnAlbum() {
        QFETCH(int, albomUB);
        QFETCH(bool, found);
        resizeAlboms(albomUB);
        openMenu(menus().File);
        QCOMPARE(act(frmForma().FileFound)->isEnabled(), found);
    }

    void editMenuFollowsThePlaylist_data() {
        QTest::addColumn<int>("songs");
        QTest::newRow("empty playlist") << 0;
        QTest::newRow("two songs") << 2;
    }
    void editMenuFollowsThePlaylist() {
        QFETCH(int, songs);
        Forma &f = frmForma();
        fillPlayList(m->env, songs);
        openMenu(menus().Edit);
        for (MenuItem *item : {&f.EditClear, &f.EditDel, &f.EditChange, &f.EditSort})
            QVERIFY2(act(*item)->isEnabled() == (songs > 0), qPrintable(item->objectName()));
        // The sort submenu's items act only while the submenu is enabled.
        for (MenuItem *item : {&f.EditSortAlfavit, &f.EditSortRevers, &f.EditSortRand})
            QVERIFY2(act(*item)->isEnabled() == (songs > 0), qPrintable(item->objectName()));
        QVERIFY(act(f.EditAddFile)->isEnabled());
        QVERIFY(act(f.EditNewDisk)->isEnabled());
    }

    void playbackItemsFollowThePlayer_data() {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("numPesni");
        QTest::addColumn<bool>("play");
        QTest::addColumn<bool>("pauseStop");
        QTest::newRow("no song yet") << "" << -1 << false << false;
        QTest::newRow("playing") << "url" << 0 << false << true;
        QTest::newRow("paused") << "url pause" << 0 << true << false;
        QTest::newRow("paused, no current song") << "url pause" << -1 << false << false;
        QTest::newRow("played to its end") << "url finish" << 0 << true << false;
    }
    void playbackItemsFollowThePlayer() {
        QFETCH(QString, steps);
        QFETCH(int, numPesni);
        QFETCH(bool, play);
        QFETCH(bool, pauseStop);
        FakePlayer &player = m->env.player;
        for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            if (step == QLatin1String("url"))
                player.setURL(QStringLiteral("C:/Music/a.mp3"));
            else if (step == QLatin1String("pause"))
                player.pause();
            else
                player.finish();
        }
        G().NumPesni = numPesni;
        Forma &f = frmForma();
        openMenu(menus().Music);
        QCOMPARE(act(f.MusicPlay)->isEnabled(), play);
        QCOMPARE(act(f.MusicPausa)->isEnabled(), pauseStop);
        QCOMPARE(act(f.MusicStop)->isEnabled(), pauseStop);
        QVERIFY(act(f.MusicGromkost)->isEnabled());
        QVERIFY(act(f.MusicNonStop)->isEnabled());
        openMenu(menus().pMenu);
        QCOMPARE(act(f.pMenuPlay)->isEnabled(), play);
        QCOMPARE(act(f.pMenuPauase)->isEnabled(), pauseStop);
        QCOMPARE(act(f.pMenuStop)->isEnabled(), pauseStop);
    }

    // States are set when a menu opens and only then.
    void itemsKeepTheirStateUntilTheMenuOpens() {
        Forma &f = frmForma();
        openMenu(menus().Edit);
        QVERIFY(!act(f.EditDel)->isEnabled());
        fillPlayList(m->env, 1);
        openMenu(menus().File);
        openMenu(menus().Music);
        QVERIFY(!act(f.EditDel)->isEnabled());
        openMenu(menus().Edit);
        QVERIFY(act(f.EditDel)->isEnabled());
    }

    void deleteKeyActsOnTheStateLastSet() {
        Forma &f = frmForma();
        QVERIFY(m->showActive());
        QSignalSpy del(act(f.EditDel), &QAction::triggered);
        openMenu(menus().Edit); // empty playlist
        fillPlayList(m->env, 2);
        m->window.PlayList()->setFocus();
        QTest::keyClick(&m->window, Qt::Key_Delete);
        QCOMPARE(del.size(), 0);
        openMenu(menus().Edit);
        QTest::keyClick(&m->window, Qt::Key_Delete);
        QCOMPARE(del.size(), 1);
    }

    // Ctrl+N reaches its handler with no menu ever opened: New asks for files.
    void shortcutWorksWhileTheMenuIsClosed() {
        QVERIFY(m->showActive());
        m->window.lstAlbomy()->setFocus();
        QTest::keyClick(&m->window, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(m->env.windows.calls, QStringList{QStringLiteral("showAddFile")});
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{QStringLiteral("New")});
    }

    // Items that open another window or a document reach their window.
    void itemsOpenTheirWindows_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("call");
        QTest::newRow("search") << "FileFound"
                                << "showFound";
        QTest::newRow("add files") << "EditAddFile"
                                   << "showAddFile";
        QTest::newRow("title editor") << "EditChange"
                                      << "showChange";
        QTest::newRow("drive letter") << "EditNewDisk"
                                      << "showNewDisk";
        QTest::newRow("about") << "HelpAbout"
                               << "showOprog";
        QTest::newRow("language") << "HelpLang"
                                  << "showLang";
        QTest::newRow("album list") << "pMenuListAlbom"
                                    << "showListAlbom";
    }
    void itemsOpenTheirWindows() {
        QFETCH(QString, item);
        QFETCH(QString, call);
        for (MenuItem *menuItem : frmForma().menuItems()) {
            if (menuItem->objectName() == item)
                act(*menuItem)->trigger();
        }
        QCOMPARE(m->env.windows.calls, QStringList{call});
    }

    void helpOpensThePageOfTheLanguage() {
        G().strHelpFile = QStringLiteral("Help_en.htm");
        act(frmForma().HelpCallHelp)->trigger();
        QCOMPARE(m->env.shell.calls, QStringList{QStringLiteral("Help_en.htm|C:/Tonvela/")});
    }

    void nonStopChecksBothItems_data() {
        QTest::addColumn<bool>("fromPopup");
        QTest::newRow("Music menu") << false;
        QTest::newRow("tray menu") << true;
    }
    void nonStopChecksBothItems() {
        QFETCH(bool, fromPopup);
        Forma &f = frmForma();
        QAction *trigger = act(fromPopup ? f.pMenuNonStop : f.MusicNonStop);
        trigger->trigger();
        QVERIFY(act(f.MusicNonStop)->isChecked());
        QVERIFY(act(f.pMenuNonStop)->isChecked());
        trigger->trigger();
        QVERIFY(!act(f.MusicNonStop)->isChecked());
        QVERIFY(!act(f.pMenuNonStop)->isChecked());
        QVERIFY(!f.MusicNonStop.Checked());
    }

    void helpLanguageOpensTheDialog() {
        act(frmForma().HelpLang)->trigger();
        QCOMPARE(m->env.windows.calls, QStringList{QStringLiteral("showLang")});
    }

    void showHideItemHidesTheWindow() {
        QVERIFY(m->showActive());
        act(frmForma().pMenuShowHide)->trigger();
        QVERIFY(!m->window.isVisible());
        QVERIFY(!G().ShowForm);
        act(frmForma().pMenuShowHide)->trigger();
        QVERIFY(m->window.isVisible());
    }
};

QTEST_MAIN(TestFormaMenus)
#include "tst_formamenus.moc"
