#include "Fakes.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/MenuRules.h"

#include <QSignalSpy>
#include <QTest>

using namespace tv;
using namespace tv::test;

class TestMenuRules : public QObject {
    Q_OBJECT
private slots:
    void itemsFollowTheStateWhenTheirMenuOpens_data() {
        QTest::addColumn<int>("songs");
        QTest::addColumn<int>("albomUB");
        QTest::addColumn<int>("playState"); // -1: no player at all
        QTest::addColumn<int>("numPesni");
        QTest::addColumn<bool>("found");
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("play");
        QTest::addColumn<bool>("pauseStop");

        const int stopped = MediaPlayer::Stopped, paused = MediaPlayer::Paused,
                  playing = MediaPlayer::Playing;
        QTest::newRow("fresh start")
            << 0 << -1 << int(MediaPlayer::Undefined) << -1 << false << false << false << false;
        QTest::newRow("one album, empty playlist")
            << 0 << 0 << stopped << -1 << true << false << false << false;
        QTest::newRow("playing") << 3 << 1 << playing << 0 << true << true << false << true;
        QTest::newRow("paused") << 3 << 1 << paused << 2 << true << true << true << false;
        QTest::newRow("stopped") << 1 << 0 << stopped << 0 << true << true << true << false;
        QTest::newRow("paused, no current song")
            << 2 << 0 << paused << -1 << true << true << false << false;
        QTest::newRow("loading a file is not playing")
            << 2 << 0 << int(MediaPlayer::Transitioning) << 1 << true << true << true << false;
        QTest::newRow("songs but no album registered")
            << 4 << -1 << stopped << 3 << false << true << true << false;
        QTest::newRow("no player") << 1 << 0 << -1 << 0 << true << true << true << false;
    }
    void itemsFollowTheStateWhenTheirMenuOpens() {
        QFETCH(int, songs);
        QFETCH(int, albomUB);
        QFETCH(int, playState);
        QFETCH(int, numPesni);
        QFETCH(bool, found);
        QFETCH(bool, edit);
        QFETCH(bool, play);
        QFETCH(bool, pauseStop);
        LogicEnv env;
        Forma &f = frmForma();
        for (int i = 0; i < songs; ++i)
            f.ListPath << QStringLiteral("Song %1C:/m/%1.mp3").arg(i);
        resizeAlboms(albomUB);
        if (playState < 0)
            P().player = nullptr;
        else
            env.player.force(playState);
        G().NumPesni = numPesni;
        // Each item starts the other way, so a rule that only ever enables
        // (or only disables) shows.
        f.FileFound.setEnabled(!found);
        for (MenuItem *item : {&f.EditClear, &f.EditDel, &f.EditChange, &f.EditSort})
            item->setEnabled(!edit);
        f.MusicPlay.setEnabled(!play);
        f.MusicPausa.setEnabled(!pauseStop);
        f.MusicStop.setEnabled(!pauseStop);

        File_Click();
        Edit_Click();
        Music_Click();

        QCOMPARE(f.FileFound.Enabled(), found);
        for (MenuItem *item : {&f.EditClear, &f.EditDel, &f.EditChange, &f.EditSort})
            QVERIFY2(item->Enabled() == edit, qPrintable(item->objectName()));
        QCOMPARE(f.MusicPlay.Enabled(), play);
        QCOMPARE(f.MusicPausa.Enabled(), pauseStop);
        QCOMPARE(f.MusicStop.Enabled(), pauseStop);
        for (MenuItem *item : {&f.EditAddFile, &f.EditNewDisk, &f.MusicGromkost, &f.MusicNonStop,
                               &f.FileNew, &f.FileOpen, &f.FileSave, &f.FileSaveAs, &f.FileExit})
            QVERIFY2(item->Enabled(), qPrintable(item->objectName()));
    }

    // Each menu decides its own items only: a state change between openings
    // does not reach the items of a menu that was not opened again.
    void aMenuSetsOnlyItsOwnItems() {
        LogicEnv env;
        Forma &f = frmForma();
        Edit_Click();
        QVERIFY(!f.EditDel.Enabled());
        f.ListPath << QStringLiteral("aC:/a.mp3");
        resizeAlboms(0);
        env.player.force(MediaPlayer::Playing);
        File_Click();
        Music_Click();
        QVERIFY(!f.EditDel.Enabled());
        Edit_Click();
        QVERIFY(f.EditDel.Enabled());
    }

    void minimising_data() {
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("trayArea");
        QTest::addColumn<bool>("restore");
        QTest::addColumn<bool>("visibleAfter");
        QTest::newRow("minimised hides to the tray") << true << true << true << false;
        QTest::newRow("no notification area: an ordinary minimise")
            << true << false << false << true;
        QTest::newRow("other resize") << false << true << false << true;
    }
    void minimising() {
        QFETCH(bool, minimized);
        QFETCH(bool, trayArea);
        LogicEnv env;
        env.tray.hasArea = trayArea;
        frmForma().setVisible(true);
        G().ShowForm = true;
        QSignalSpy visibility(&frmForma(), &Forma::visibilityRequested);

        QTEST(Form_Resize(minimized), "restore");
        QTEST(frmForma().Visible(), "visibleAfter");
        QTEST(G().ShowForm, "visibleAfter");
        QCOMPARE(visibility.isEmpty(), frmForma().Visible());
    }
};

QTEST_GUILESS_MAIN(TestMenuRules)
#include "tst_menurules.moc"
