#include "LogicTest.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "playback/Tray.h"

using namespace tv;
using namespace tv::test;

namespace {

// Everything a language routine may touch, by name.
QMap<QString, QString> snapshot() {
    QMap<QString, QString> all;
    for (MenuItem *item : frmForma().menuItems())
        all.insert(item->objectName(), item->Caption());
    all.insert("caption", frmForma().Caption());
    all.insert("Label1", frmForma().Label1());
    const Texts &t = G();
    int i = 0;
    for (const QString &text :
         {t.strHelpFile,   t.strTitle,        t.strAddAll,         t.strAddFile,
          t.strFileExists, t.strReplaceIt,    t.strWriteProtected, t.strCantSave,
          t.strNotFound,   t.strCantOpen,     t.strSaveChanges,    t.strChange,
          t.strCancel,     t.strSelectLang,   t.strAlboms,         t.strFrom,
          t.strTo,         t.strReplaceCount, t.strNameFromFile,   t.strAdding,
          t.strNoSongs})
        all.insert(QStringLiteral("text %1").arg(i++), text);
    return all;
}

const QStringList kFixed = {"FileFound", "pMenuListAlbom", "pMenuExit", "pMenu"};

} // namespace

// The menus: every text in either language, and the main menus' items and the
// tray menu's enabled, each as its menu opens.
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

    void englishAndBackRestoresEveryText() {
        const auto initial = snapshot();
        LanguageRuM();
        const auto russian = snapshot();
        LanguageEnM();
        const auto english = snapshot();
        LanguageRuM();
        QCOMPARE(snapshot(), russian);
        for (auto it = russian.cbegin(); it != russian.cend(); ++it) {
            const bool fixed = kFixed.contains(it.key());
            QVERIFY2(!english.value(it.key()).isEmpty(), qPrintable(it.key()));
            QVERIFY2((english.value(it.key()) == it.value()) == fixed, qPrintable(it.key()));
            if (fixed)
                QCOMPARE(it.value(), initial.value(it.key()));
        }
        // Any language but 0 reads as English.
        G().Language = 5;
        applyLanguage();
        QCOMPARE(snapshot(), english);
    }
};

QTEST_GUILESS_MAIN(TestMenuRules)
#include "tst_menurules.moc"
