#include "Fakes.h"
#include "core/Cp1251.h"
#include "core/TextLines.h"

using namespace tv;
using tv::test::columns;

class TestTextLines : public QObject {
    Q_OBJECT
private slots:
    void cyrillicIsOneBytePerLetter() {
        const QString text = QString::fromUtf8("Тонвела для mp3 ёЁ №");
        QVERIFY(Cp1251::fits(text));
        QCOMPARE(Cp1251::encode(text), QByteArray("\xD2\xEE\xED\xE2\xE5\xEB\xE0 \xE4\xEB\xFF mp3 "
                                                  "\xB8\xA8 \xB9"));
        QCOMPARE(Cp1251::decode(Cp1251::encode(text)), text);
    }

    void everyByteReadsBackUnchanged() {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1251::decode(all);
        QVERIFY(Cp1251::fits(text));
        QCOMPARE(Cp1251::encode(text), all);
    }

    void linesEndInCrLf() {
        QCOMPARE(TextLines::encode({"[language]", " 0 "}), QByteArray("[language]\r\n 0 \r\n"));
        QCOMPARE(TextLines::encode({}), QByteArray());
    }

    void textsOutside1251MakeTheFileUtf8() {
        const QStringList lines = {"a", QString::fromUtf8("音楽/曲.mp3"), QString::fromUtf8("Ж")};
        const QByteArray bytes = TextLines::encode(lines);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(TextLines::decode(bytes), lines);
    }

    // Every text the program can hold comes back from its file as it was; the
    // file is 1251 unless that would lose or change something.
    void everyTextRoundTrips_data() {
        columns<QStringList, bool>("lines", "utf8");
        const QChar high(0xD83C), low(0xDFB5);
        const QString bomLetters = QString::fromUtf8("п»ї");
        QTest::newRow("lone high surrogate") << QStringList{"a", QString("x") + high + "y"} << true;
        QTest::newRow("lone low surrogate at the end") << QStringList{QString("x") + low} << true;
        QTest::newRow("low before high") << QStringList{QString(low) + high} << true;
        QTest::newRow("a pair and a lone one")
            << QStringList{QString(high) + low + high + QChar(0xDBFF)} << true;
        QTest::newRow("first line begins with the mark's letters")
            << QStringList{bomLetters + "Rock.alb", "b"} << true;
        QTest::newRow("the mark's letters later on")
            << QStringList{"a", bomLetters + "Rock.alb", "x" + bomLetters} << false;
        QTest::newRow("a real mark character first")
            << QStringList{QString(QChar(0xFEFF)) + "a", "b"} << true;
    }
    void everyTextRoundTrips() {
        QFETCH(QStringList, lines);
        const QByteArray bytes = TextLines::encode(lines);
        QTEST(bytes.startsWith("\xEF\xBB\xBF"), "utf8");
        QCOMPARE(TextLines::decode(bytes), lines);
    }

    void decodeSplitsAtEveryLineEnd_data() {
        columns<QByteArray, QStringList>("bytes", "lines");
        QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList({"a", "b"});
        QTest::newRow("no last end") << QByteArray("a\r\nb") << QStringList({"a", "b"});
        QTest::newRow("lf and cr") << QByteArray("a\nb\rc") << QStringList({"a", "b", "c"});
        QTest::newRow("empty lines") << QByteArray("\r\n\r\nx\r\n") << QStringList({"", "", "x"});
        QTest::newRow("nothing") << QByteArray() << QStringList();
        QTest::newRow("utf-8, cr lf") << QByteArray("\xEF\xBB\xBF\xD0\x96\r\n\r\n")
                                      << QStringList({QString::fromUtf8("Ж"), ""});
        QTest::newRow("a lone cr at the end") << QByteArray("a\r") << QStringList({"a"});
        QTest::newRow("lone cr before cr lf")
            << QByteArray("a\rb\r\nc") << QStringList({"a", "b", "c"});
        QTest::newRow("cr only") << QByteArray("a\rb\rc\r") << QStringList({"a", "b", "c"});
        QTest::newRow("cr, then cr lf") << QByteArray("a\r\r\nb") << QStringList({"a", "", "b"});
    }
    void decodeSplitsAtEveryLineEnd() {
        QFETCH(QByteArray, bytes);
        QTEST(TextLines::decode(bytes), "lines");
    }

    void numberLines_data() {
        columns<int, QString>("value", "line");
        QTest::newRow("zero") << 0 << " 0 ";
        QTest::newRow("minus one") << -1 << "-1 ";
        QTest::newRow("big") << 2000000000 << " 2000000000 ";
    }
    void numberLines() {
        QFETCH(int, value);
        QFETCH(QString, line);
        QCOMPARE(TextLines::number(value), line);
        int back = 12345;
        QVERIFY(TextLines::parseNumber(line, &back));
        QCOMPARE(back, value);
    }

    void numberLineWithoutNumberIsRefused() {
        int v = 7;
        QVERIFY(!TextLines::parseNumber("abc", &v));
        QVERIFY(!TextLines::parseNumber("", &v));
        QCOMPARE(v, 7);
        QVERIFY(TextLines::parseNumber("   12   ", &v));
        QCOMPARE(v, 12);
    }
};

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
