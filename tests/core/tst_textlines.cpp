#include "Fakes.h"
#include "core/AlbumFormat.h"
#include "core/TextLines.h"

using namespace tv;
using namespace tv::test;

// The line files under every format: Windows-1251 or UTF-8 with a mark, the
// line ends, and the songs held in an album file's own bytes.
class TestTextLines : public QObject {
    Q_OBJECT
private slots:
    void everyByteReadsBackUnchanged() {
        QByteArray all;
        for (int b = 1; b < 256; ++b)
            all.append(char(b));
        const QString text = Cp1251::decode(all);
        QVERIFY(Cp1251::fits(text));
        QCOMPARE(Cp1251::encode(text), all);
    }

    // A text the program can hold comes back from its file as it was; the file
    // is 1251 unless that would lose or change something (textlines_fuzz holds
    // those). The mark's letters anywhere but first change nothing.
    void theMarksLettersLaterOnStayIn1251() {
        const QString bomLetters = QString::fromUtf8("п»ї");
        const QStringList lines{"a", bomLetters + "Rock.alb", "x" + bomLetters};
        const QByteArray bytes = TextLines::encode(lines);
        QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
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
        QTest::newRow("cr, then cr lf") << QByteArray("a\r\r\nb") << QStringList({"a", "", "b"});
    }
    void decodeSplitsAtEveryLineEnd() {
        QFETCH(QByteArray, bytes);
        QTEST(TextLines::decode(bytes), "lines");
    }

    // Songs held in an album file's own bytes change as a list of their texts
    // would, and are written alike: "+text" appends, "-i" removes entry i.
    void changesAsTheTextsWould_data() {
        columns<QByteArray, QString>("file", "changes");
        row("1251, every line end, removed anywhere",
            QByteArray(" 5 \r\nA\r\xC1\xE2\nC\r\nD\r\r\nE\r\nbeyond the count"),
            QString::fromUtf8("-2 -0 +Ж -2 -1"));
        row("a text beyond 1251 turns the store",
            QByteArray(" 2 \r\n\xC6"
                       "a\r\nb"),
            QString::fromUtf8("+音 -0 +c"));
        row("utf-8 file", QByteArray("\xEF\xBB\xBF 2 \r\n\xE9\x9F\xB3\r\n\xD0\x96\r\n"),
            QString("-1 +x +y -1"));
    }
    void changesAsTheTextsWould() {
        QFETCH(QByteArray, file);
        QFETCH(QString, changes);
        SongList songs = AlbumFormat::read(file);
        QStringList texts = AlbumFormat::parse(file);
        QVERIFY(!texts.isEmpty());
        for (const QString &change : changes.split(' ')) {
            if (change.startsWith('+')) {
                songs << change.mid(1);
                texts << change.mid(1);
            } else {
                songs.removeAt(change.mid(1).toInt());
                texts.removeAt(change.mid(1).toInt());
            }
            QCOMPARE(songs, texts);
            QCOMPARE(songs.toList(), texts);
            QCOMPARE(AlbumFormat::format(songs), AlbumFormat::format(texts));
        }
    }
};

QTEST_GUILESS_MAIN(TestTextLines)
#include "tst_textlines.moc"
