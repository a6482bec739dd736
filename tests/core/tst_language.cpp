#include "Fakes.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"

#include <QTest>

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
    const QList<QPair<const char *, QString>> texts = {{"strHelpFile", t.strHelpFile},
                                                       {"strTitle", t.strTitle},
                                                       {"strAddAll", t.strAddAll},
                                                       {"strAddFile", t.strAddFile},
                                                       {"strFileExists", t.strFileExists},
                                                       {"strReplaceIt", t.strReplaceIt},
                                                       {"strWriteProtected", t.strWriteProtected},
                                                       {"strCantSave", t.strCantSave},
                                                       {"strNotFound", t.strNotFound},
                                                       {"strCantOpen", t.strCantOpen},
                                                       {"strSaveChanges", t.strSaveChanges},
                                                       {"strChange", t.strChange},
                                                       {"strCancel", t.strCancel},
                                                       {"strSelectLang", t.strSelectLang},
                                                       {"strAlboms", t.strAlboms},
                                                       {"strFrom", t.strFrom},
                                                       {"strTo", t.strTo},
                                                       {"strReplaceCount", t.strReplaceCount},
                                                       {"strNameFromFile", t.strNameFromFile}};
    for (const auto &[name, value] : texts)
        all.insert(name, value);
    return all;
}

const QStringList kFixed = {"FileFound", "pMenuListAlbom", "pMenuExit", "pMenu"};

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void englishAndBackRestoresEveryText() {
        LogicEnv env;
        LanguageRuM();
        const auto russian = snapshot();
        LanguageEnM();
        const auto english = snapshot();
        LanguageRuM();
        QCOMPARE(snapshot(), russian);

        // Every target but the fixed items is re-captioned, and none is left empty.
        for (auto it = russian.cbegin(); it != russian.cend(); ++it) {
            QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
            QVERIFY2(!english.value(it.key()).isEmpty(), qPrintable(it.key()));
            if (!kFixed.contains(it.key()))
                QVERIFY2(english.value(it.key()) != it.value(), qPrintable(it.key()));
        }
    }

    void theFixedItemsNeverChange_data() {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("caption");
        QTest::newRow("search") << "FileFound" << QString::fromUtf8("Поиск");
        QTest::newRow("album list") << "pMenuListAlbom" << QString::fromUtf8("Список альбомов");
        QTest::newRow("tray exit") << "pMenuExit" << QString::fromUtf8("Выход");
        QTest::newRow("tray menu") << "pMenu"
                                   << "pMenu";
    }
    void theFixedItemsNeverChange() {
        QFETCH(QString, item);
        QFETCH(QString, caption);
        LogicEnv env;
        for (int i = 0; i < 2; ++i) {
            LanguageEnM();
            QCOMPARE(snapshot().value(item), caption);
            LanguageRuM();
            QCOMPARE(snapshot().value(item), caption);
        }
    }

    void theCaptionEndsWithTheOpenAlbum_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("album");
        QTest::addColumn<QString>("caption");
        QTest::newRow("never saved, English") << 1 << ""
                                              << "Tonvela for MP3 - ";
        QTest::newRow("never saved, Russian") << 0 << "" << QString::fromUtf8("Тонвела для MP3 - ");
        QTest::newRow("saved album") << 1 << "Rock, 1970.alb"
                                     << "Tonvela for MP3 - Rock, 1970.alb";
    }
    void theCaptionEndsWithTheOpenAlbum() {
        QFETCH(int, language);
        QFETCH(QString, album);
        LogicEnv env;
        G().NameAlbom = album;
        frmLang_OK(language);
        QTEST(frmForma().Caption(), "caption");
        QCOMPARE(G().strTitle + " - " + album, frmForma().Caption());
    }

    void aSwitchKeepsTicksAndEnabledStates() {
        LogicEnv env;
        Forma &f = frmForma();
        f.MusicNonStop.setChecked(true);
        f.pMenuNonStop.setChecked(true);
        f.FileFound.setEnabled(false);
        f.EditDel.setEnabled(false);
        LanguageEnM();
        LanguageRuM();
        QVERIFY(f.MusicNonStop.Checked());
        QVERIFY(f.pMenuNonStop.Checked());
        QVERIFY(!f.FileFound.Enabled());
        QVERIFY(!f.EditDel.Enabled());
        QVERIFY(!f.MusicPlay.Enabled());
        QVERIFY(f.EditAddFile.Enabled());
    }

    void theToolkitFollowsTheLanguage() {
        LogicEnv env;
        frmLang_OK(1);
        frmLang_OK(0);
        frmLang_OK(0);
        QCOMPARE(env.windows.calls, QStringList({"language:1", "language:0", "language:0"}));
    }

    void applyLanguagePicksTheColumn_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("title");
        QTest::newRow("russian") << 0 << QString::fromUtf8("Тонвела для MP3");
        QTest::newRow("english") << 1 << "Tonvela for MP3";
        QTest::newRow("anything not 0 is English") << 5 << "Tonvela for MP3";
    }
    void applyLanguagePicksTheColumn() {
        QFETCH(int, language);
        LogicEnv env;
        G().Language = language;
        applyLanguage();
        QTEST(G().strTitle, "title");
        QTEST(frmForma().Caption().chopped(3), "title");
    }

    void theDialogOpensInTheCurrentLanguage() {
        LogicEnv env;
        G().Language = 1;
        applyLanguage();
        const LangDialogState english = frmLang_Load();
        QCOMPARE(english.row, 1);
        QCOMPARE(english.caption, G().strSelectLang);
        QCOMPARE(english.cancel, G().strCancel);

        frmLang_OK(0);
        const LangDialogState russian = frmLang_Load();
        QCOMPARE(russian.row, 0);
        QVERIFY(russian.caption != english.caption);
        QVERIFY(russian.cancel != english.cancel);
    }

    void noRowChosenChangesNothing() {
        LogicEnv env;
        G().Language = 1;
        applyLanguage();
        const auto before = snapshot();
        env.windows.calls.clear();
        frmLang_OK(-1);
        QCOMPARE(G().Language, 1);
        QCOMPARE(snapshot(), before);
        QVERIFY(env.windows.calls.isEmpty());
    }

    void helpLanguageOpensTheDialog() {
        LogicEnv env;
        HelpLang_Click();
        QCOMPARE(env.windows.calls, QStringList({"showLang"}));
    }
};

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
