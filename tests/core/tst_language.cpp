#include "LogicTest.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"

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

class TestLanguage : public LogicTest {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TestLanguage)
#include "tst_language.moc"
