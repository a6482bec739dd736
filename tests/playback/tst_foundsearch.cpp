// The search across all albums: which songs of which album files are found.
#include "Fakes.h"
#include "MemoryFs.h"

#include "core/AlbumFormat.h"
#include "core/AlbumList.h"
#include "core/Cp1251.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "playback/FoundMatch.h"
#include "playback/FoundSearch.h"

#include <QRandomGenerator>

using namespace tv;
using namespace tv::test;

namespace {

using Albums = QList<QPair<QString, QByteArray>>;

// The album files in AppDir and the registry naming them, in this order; a
// file of null bytes is registered but not on the disk.
void putAlbums(MemoryFs &fs, const Albums &albums) {
    QVector<AlbomInfo> entries;
    for (const auto &[name, bytes] : albums) {
        if (!bytes.isNull())
            fs.addFile(G().AppDir + name, bytes);
        entries.append({name, 0});
    }
    setAlbumList(entries);
}

// Found as "album|title|path" rows.
QStringList found() {
    QStringList rows;
    for (const FoundInfo &f : G().Found)
        rows << f.Albom + '|' + f.Title + '|' + f.Path;
    return rows;
}

// What the album reader makes of the file, searched line by line: the
// yardstick of the matcher.
QStringList expected(const QByteArray &file, const QString &text) {
    QStringList rows;
    for (const QString &song : AlbumFormat::parse(file)) {
        const SongEntry e = SongEntry::split(song);
        if (e.path.toLower().contains(text.toLower()))
            rows << e.title + '|' + e.path;
    }
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

class TestFoundSearch : public QObject {
    Q_OBJECT
    std::unique_ptr<LogicEnv> env;
    std::unique_ptr<MemoryFs> fs;

private slots:
    void init() {
        env = std::make_unique<LogicEnv>();
        fs = std::make_unique<MemoryFs>(QStringList{"C:", "D:", "E:"});
        P().fs = fs.get();
    }
    void cleanup() {
        fs.reset();
        env.reset();
    }

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
        row("Cyrillic capitals find small letters", QString("ЗВЕЗДА"),
            QStringList{"rock.alb|Кино - Звезда|E:\\Русский рок\\Кино\\Звезда.mp3"});
        row("one blank: paths with a blank", QString(" "),
            QStringList{"rock.alb|Help - title|D:\\Music\\The Beatles - Help.mp3",
                        "rock.alb|Кино - Звезда|E:\\Русский рок\\Кино\\Звезда.mp3",
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

    // One album file as stored, the text: the songs found in it.
    void albumFiles_data() {
        columns<QByteArray, QString, QStringList>("file", "text", "found");
        const QStringList abc = {"aC:/x/1.mp3", "bC:/x/2.mp3", "cC:/x/3.mp3"};
        row("a count far above the lines", albumFile(" 2000000000 ", abc), QString("/x/"),
            QStringList{"a|C:/x/1.mp3", "b|C:/x/2.mp3", "c|C:/x/3.mp3"});
        row("lines beyond the count are not songs", albumFile(" 2 ", abc), QString("/x/"),
            QStringList{"a|C:/x/1.mp3", "b|C:/x/2.mp3"});
        row("a count that is no number", albumFile("x", abc), QString("/x/"), QStringList{});
        row("a negative count", albumFile("-3 ", abc), QString("/x/"), QStringList{});
        row("lone CR and LF end lines too", QByteArray(" 3 \raC:/1.mp3\nbC:/2.mp3\r\n\rcC:/3"),
            QString("c:/"), QStringList{"a|C:/1.mp3", "b|C:/2.mp3"});
        row("no final line end", QByteArray(" 1 \r\nAC:/m/a.mp3"), QString("a.mp3"),
            QStringList{"A|C:/m/a.mp3"});
        row("title with colons and the text", albumFile(" 1 ", {"Live: 12:00 x00C:/00/a.mp3"}),
            QString("00"), QStringList{"Live: 12:00 x00|C:/00/a.mp3"});
        row("a line without a drive is all path", albumFile(" 1 ", {"just text"}), QString("TEXT"),
            QStringList{"just text|just text"});
        row("UTF-8: Japanese paths by a Japanese text",
            utf8Album({"音楽C:/音楽/東京.mp3", "ZC:/音/z.mp3", "東京 titleC:/a.mp3"}),
            QString("東京"), QStringList{"音楽|C:/音楽/東京.mp3"});
        row("UTF-8: Cyrillic capitals", utf8Album({"音C:/Кино/音.mp3"}), QString("КИНО"),
            QStringList{"音|C:/Кино/音.mp3"});
        row("UTF-8: a count below the lines",
            utf8Album({"音C:/a.mp3", "音C:/b.mp3"}).replace(" 2 ", " 1 "), QString("c:/"),
            QStringList{"音|C:/a.mp3"});
        row("empty file", QByteArray(), QString("a"), QStringList{});
    }
    void albumFiles() {
        QFETCH(QByteArray, file);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        QCOMPARE(matched(file, text), found);
        QCOMPARE(matched(file, text), expected(file, text));
    }

    // Every byte of the code page in titles and paths, lines ended by CR LF,
    // CR or LF, and a count below the lines present: pieces of the paths in
    // both letter cases are found exactly as in the album reader's lines
    // lower-cased.
    void everyByteAsTheReaderReadsIt() {
        QRandomGenerator random(1251);
        const char *const ends[] = {"\r\n", "\r", "\n"};
        QByteArray file = " 300 \r\n";
        QList<QByteArray> paths;
        for (int i = 0; i < 400; ++i) {
            QByteArray title, rest;
            for (int k = 0; k < 6; ++k) {
                title += char(random.bounded(0x20, 0x100));
                rest += char(random.bounded(0x20, 0x100));
            }
            // A path holds no colon but its drive's.
            const QByteArray path = (i % 2 ? "C:" : "c:") + rest.replace(':', '-');
            paths << path;
            file += title + path + ends[random.bounded(3)];
        }
        for (int i = 0; i < 400; ++i) {
            const QByteArray piece = paths.at(i).mid(1 + i % 5, 1 + i % 3);
            const QString text = Cp1251::decode(piece);
            for (const QString &t : {text, text.toUpper(), text.toLower()})
                QCOMPARE(matched(file, t), expected(file, t));
        }
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
