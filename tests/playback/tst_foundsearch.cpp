// The search across all albums: which songs of which album files are found.
#include "LogicTest.h"

#include "core/TextLines.h"
#include "playback/FoundMatch.h"
#include "playback/FoundSearch.h"

using namespace tv;
using namespace tv::test;

namespace {

// Found as "album|title|path" rows.
QStringList found() {
    QStringList rows;
    for (const FoundInfo &f : G().Found)
        rows << f.Albom + '|' + f.Title + '|' + f.Path;
    return rows;
}

QStringList matched(const QByteArray &file, const QString &text) {
    QStringList rows;
    for (const SongEntry &e : FoundMatcher(text).songsIn(file))
        rows << e.title + '|' + e.path;
    return rows;
}

QByteArray utf8Album(const QStringList &songs) {
    return TextLines::encode(QStringList{TextLines::number(int(songs.size()))} + songs);
}

const QStringList kRock = {"Help - titleD:\\Music\\The Beatles - Help.mp3",
                           "Beatles for everC:\\Other\\x.mp3", "01d:\\music\\beatles\\01.mp3",
                           "Кино - ЗвездаE:\\Русский рок\\Кино\\Звезда.mp3"};
const QStringList kJazz = {"Take FiveE:\\Jazz\\take5.mp3", "Let it beD:\\MUSIC\\BEATLES\\02.mp3",
                           "ЁлкаE:\\Русский рок\\ЁЛКА.mp3"};

} // namespace

// The matcher against the album reader over any bytes is the fuzz target's;
// here, the cases by name.
class TestFoundSearch : public LogicTest {
    Q_OBJECT
    void setUp() override { useMemoryFs({"C:", "D:", "E:"}); }

private slots:

    // Two albums, rock.alb then jazz.alb, searched for a text: these songs.
    void search_data() {
        columns<QString, QStringList>("text", "found");
        row("BEATLES: the path in any case, never the title", QString("BEATLES"),
            QStringList{"rock.alb|Help - title|D:\\Music\\The Beatles - Help.mp3",
                        "rock.alb|01|d:\\music\\beatles\\01.mp3",
                        "jazz.alb|Let it be|D:\\MUSIC\\BEATLES\\02.mp3"});
        row("a folder: all its songs in every album", QString("\\русский рок\\"),
            QStringList{"rock.alb|Кино - Звезда|E:\\Русский рок\\Кино\\Звезда.mp3",
                        "jazz.alb|Ёлка|E:\\Русский рок\\ЁЛКА.mp3"});
        row("the drive letter is in the path", QString("c:\\"),
            QStringList{"rock.alb|Beatles for ever|C:\\Other\\x.mp3"});
        row("a title alone", QString("take five"), QStringList{});
        row("a letter 1251 does not have", QString("ß"), QStringList{});
        row("a line end in the text", QString("mp3\r\n"), QStringList{});
        row("the text is not trimmed", QString(" take5"), QStringList{});
    }
    void search() {
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        putAlbums(*fs,
                  {{"rock.alb", albumFile(" 4 ", kRock)}, {"jazz.alb", albumFile("3", kJazz)}});
        FoundSearchM(text);
        QCOMPARE(::found(), found);
        QCOMPARE(G().FoundUB, found.size() - 1);
    }

    // One album file as stored, the text: the songs found in it. (How the
    // lines and the count are read is the album reader's, tst_albumfile, and
    // the fuzz target holds the search to it, from the starting inputs of such files.)
    void albumFiles_data() {
        columns<QByteArray, QString, QStringList>("file", "text", "found");
        row("title with colons and the text", albumFile(" 1 ", {"Live: 12:00 x00C:/00/a.mp3"}),
            QString("00"), QStringList{"Live: 12:00 x00|C:/00/a.mp3"});
        row("a line without a drive is all path", albumFile(" 1 ", {"just text"}), QString("TEXT"),
            QStringList{"just text|just text"});
        row("UTF-8: Japanese paths by a Japanese text",
            utf8Album({"音楽C:/音楽/東京.mp3", "ZC:/音/z.mp3", "東京 titleC:/a.mp3"}),
            QString("東京"), QStringList{"音楽|C:/音楽/東京.mp3"});
        row("UTF-8: Cyrillic capitals", utf8Album({"音C:/Кино/音.mp3"}), QString("КИНО"),
            QStringList{"音|C:/Кино/音.mp3"});
        row("empty file", QByteArray(), QString("a"), QStringList{});
    }
    void albumFiles() {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QCOMPARE(matched(file, text), found);
    }

    // Unreadable albums are skipped without a word; the others are searched.
    void unreadableAlbumsAreSkipped() {
        putAlbums(*fs, {{"gone.alb", QByteArray()},
                        {"rock.alb", albumFile(" 4 ", kRock)},
                        {"locked.alb", albumFile(" 3 ", kJazz)}});
        fs->beforeRead = [this](const QString &path) {
            if (path.endsWith("locked.alb"))
                fs->remove(path);
        };
        FoundSearchM("beatles");
        QCOMPARE(found().size(), 2);
        QVERIFY(env->dialogs.msgs.isEmpty());
        QCOMPARE(fs->reads, (QStringList{"read:C:/Tonvela/gone.alb", "read:C:/Tonvela/rock.alb",
                                         "read:C:/Tonvela/locked.alb"}));
    }
};

QTEST_GUILESS_MAIN(TestFoundSearch)
#include "tst_foundsearch.moc"
