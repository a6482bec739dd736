#include "WindowKit.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocument>

using namespace tv;
using namespace tv::test;

// The help pages installed beside the program, one per language.
class TestHelpPages : public QObject {
    Q_OBJECT

    static QByteArray read(const QString &name) {
        QFile file(QStringLiteral(TV_TEST_DATA "/../../resources/install/") + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private slots:
    void pages_data() {
        columns<int, QString>("language", "file");
        row("Russian", 0, QString("Help_ru.htm"));
        row("English", 1, QString("Help_en.htm"));
    }

    // The page of a language names every menu item by the caption the user
    // sees in that language, and every link of it leads somewhere on it.
    void pages() {
        QFETCH(int, language);
        QFETCH(QString, file);
        LogicEnv env;
        G().Language = language;
        applyLanguage();
        QCOMPARE(G().strHelpFile, file);

        const QByteArray bytes = read(file);
        QVERIFY(!bytes.isEmpty());
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString html = utf8(bytes);
        QVERIFY(!utf8.hasError());
        QVERIFY(html.contains("<meta charset=\"utf-8\">"));

        QTextDocument document;
        document.setHtml(html);
        const QString text = document.toPlainText();
        for (MenuItem *item : frmForma().menuItems()) {
            if (item == &frmForma().pMenu)
                continue;
            QVERIFY2(text.contains(item->Caption()), qPrintable(item->Caption()));
        }
        for (const char *part : {"Тонвела для mp3.ini", ".alb", "Z:", "Language"})
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        const QRegularExpression href("href=\"#([^\"]+)\"");
        for (const QRegularExpressionMatch &m : href.globalMatch(html))
            QVERIFY2(html.contains("id=\"" + m.captured(1) + "\""), qPrintable(m.captured(1)));
    }
};

QTEST_MAIN(TestHelpPages)
#include "tst_helppages.moc"
