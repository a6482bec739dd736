#include "Fakes.h"

#include "core/AlbumFormat.h"

using namespace tv;
using namespace tv::test;

class TestSongList : public QObject {
    Q_OBJECT
private slots:
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

QTEST_GUILESS_MAIN(TestSongList)
#include "tst_songlist.moc"
