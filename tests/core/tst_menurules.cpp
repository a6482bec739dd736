#include "LogicTest.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/MenuRules.h"
#include "playback/Tray.h"

using namespace tv;
using namespace tv::test;

// The main menus' items and the tray menu's, each set as its menu opens.
class TestMenuRules : public LogicTest {
    Q_OBJECT
private slots:
    void itemsFollowTheStateWhenTheirMenuOpens_data() {
        // enabled: of found edit play pauseStop
        columns<int, int, int, int, QString>("songs", "albomUB", "playState", "numPesni",
                                             "enabled");
        const int stopped = MediaPlayer::Stopped, paused = MediaPlayer::Paused;
        QTest::newRow("one album, empty playlist") << 0 << 0 << stopped << -1 << "found";
        QTest::newRow("playing") << 3 << 1 << int(MediaPlayer::Playing) << 0
                                 << "found edit pauseStop";
        QTest::newRow("paused on the first song") << 3 << 1 << paused << 0 << "found edit play";
        QTest::newRow("paused, no current song") << 2 << 0 << paused << -1 << "found edit";
        QTest::newRow("loading a file is not playing")
            << 2 << 0 << int(MediaPlayer::Transitioning) << 1 << "found edit play";
        QTest::newRow("songs but no album registered") << 4 << -1 << stopped << 3 << "edit play";
    }
    void itemsFollowTheStateWhenTheirMenuOpens() {
        QFETCH(int, songs);
        QFETCH(int, albomUB);
        QFETCH(int, playState);
        QFETCH(int, numPesni);
        QFETCH(QString, enabled);
        Forma &f = frmForma();
        f.ListPath = QStringList(songs, "SongC:/m/a.mp3");
        listAlbums(QStringList(albomUB + 1, "a.alb"));
        env->player.force(playState);
        G().NumPesni = numPesni;
        const QList<QPair<MenuItem *, QString>> rules = {
            {&f.FileFound, "found"},       {&f.EditClear, "edit"},      {&f.EditDel, "edit"},
            {&f.EditChange, "edit"},       {&f.EditSort, "edit"},       {&f.MusicPlay, "play"},
            {&f.MusicPausa, "pauseStop"},  {&f.MusicStop, "pauseStop"}, {&f.pMenuPlay, "play"},
            {&f.pMenuPauase, "pauseStop"}, {&f.pMenuStop, "pauseStop"}};
        const QStringList on = enabled.split(' ');
        // Each item starts the other way, so a rule that only ever enables
        // (or only disables) shows.
        for (const auto &[item, rule] : rules)
            item->setEnabled(!on.contains(rule));
        File_Click();
        Edit_Click();
        Music_Click();
        pMenu_Click();
        for (const auto &[item, rule] : rules)
            QVERIFY2(item->Enabled() == on.contains(rule), qPrintable(item->objectName()));
        for (MenuItem *item : {&f.EditAddFile, &f.EditNewDisk, &f.MusicGromkost, &f.MusicNonStop,
                               &f.FileNew, &f.FileOpen, &f.FileSave, &f.FileSaveAs, &f.FileExit})
            QVERIFY2(item->Enabled(), qPrintable(item->objectName()));
    }
};

QTEST_GUILESS_MAIN(TestMenuRules)
#include "tst_menurules.moc"
