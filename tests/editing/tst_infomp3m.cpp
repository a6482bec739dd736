#include "Id3Tag.h"
#include "LogicTest.h"

#include "core/TextLines.h"
#include "editing/TagArena.h"
#include "editing/Tags.h"

#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using namespace tv;
using namespace tv::test;

namespace {

const QByteArray kAudio(4000, '\xff');

QByteArray cp1251(const char *utf8) {
    return Cp1251::encode(QString::fromUtf8(utf8));
}

// The two text frames of a v2 tag, in one encoding of the frames.
QByteArray v2Texts(int version, char encoding, const QByteArray &artist, const QByteArray &title) {
    const bool old = version == 2;
    return id3v2Text(version, old ? "TP1" : "TPE1", encoding, artist) +
           id3v2Text(version, old ? "TT2" : "TIT2", encoding, title);
}

} // namespace

class TestInfoMP3M : public LogicTest {
    Q_OBJECT
private slots:
    // The title of a file (no bytes: it is not there); no title at all for
    // a file that does not open, the callers then take the file name their
    // own way.
    void titles_data() {
        columns<QString, QByteArray, QString, int>("path", "bytes", "title", "reads");
        const auto r = [](const char *name, const QByteArray &bytes, const QString &title,
                          const char *path = "C:/Music/Track01.mp3", int reads = 2) {
            row(name, QString::fromUtf8(path), bytes, title, reads);
        };
        r("exactly 128 bytes with a tag", id3v1("Morning", "Quartet"), "Quartet - Morning");
        r("identifier in lower case", kAudio + id3v1("Morning", "Quartet", 0, "tag"), "Track01");
        r("spaces before the zero fill stay", kAudio + id3v1("  Song  ", "Band"), "Band - Song  ");
        r("spaces after the zero fill go", kAudio + id3v1(QByteArray("Song\0\0\0", 7), "Band", ' '),
          "Band - Song");
        r("title only", kAudio + id3v1("Intro", ""), " - Intro");
        r("artist only", kAudio + id3v1("", "Quartet", ' '), "Quartet - ");
        r("both empty, zero bytes", kAudio + id3v1("", ""), "Track01");
        r("Cyrillic bytes", kAudio + id3v1(cp1251("Группа крови"), cp1251("Кино")),
          QString::fromUtf8("Кино - Группа крови"));
        r("a path without separator", kAudio, "C:song", "C:song.mp3");
        r("a three-character name", kAudio, "a.b", "C:/Music/a.b");
        r("four characters only", kAudio, "", "C:/Music/.mp3");
        r("an empty file", QByteArray(""), "Empty", "C:/Music/Empty.mp3");

        // Without a usable v1 tag, the v2 tag at the start of the file.
        const QByteArray band = v2Texts(3, 0, "Band", "Song");
        r("v2.3 UTF-16 with BOM",
          id3v2(3, v2Texts(3, 1, "\xff\xfe" + utf16(QStringLiteral("Кино"), false),
                           "\xff\xfe" + utf16(QStringLiteral("Звезда"), false))) +
              kAudio,
          QString::fromUtf8("Кино - Звезда"));
        r("v2.2 Latin-1", id3v2(2, v2Texts(2, 0, "Caf\xe9", "Nuit")) + kAudio,
          QString::fromUtf8("Café - Nuit"));
        r("v2 cleaned as v1", id3v2(3, v2Texts(3, 0, "  Band ", "Song  ")) + kAudio, "Band - Song");
        // A usable v1 tag spares the read at the start.
        r("v1 first", id3v2(3, band) + kAudio + id3v1("Morning", "Quartet"), "Quartet - Morning",
          "C:/Music/Track01.mp3", 1);
        r("an empty v1 tag gives way", id3v2(3, band) + kAudio + id3v1("", ""), "Band - Song");
        // A tag whose texts lie past the first page read of it is read again whole.
        r("texts past the first read",
          id3v2(3, id3v2Frame(3, "PRIV", QByteArray(5000, 'x')) + band), "Band - Song",
          "C:/Music/Track01.mp3", 3);
        // Hostile tags: a title or the file name, never more than the tag.
        r("v2 claims more than the file", id3v2(3, band, 0, 5000), "Band - Song");
        r("v2 truncated frame", id3v2(3, band.left(band.size() - 2)), "Band - So");
        r("v2 huge picture behind the texts",
          id3v2(3, band + id3v2Frame(3, "APIC", "x"), 0, 100'000'000) + kAudio, "Band - Song");
        r("v2 unsynchronised",
          id3v2(3, v2Texts(3, 0, "Band", "\xff\xe9t\xe9").replace("\xff", "\xff\x00"), '\x80') +
              kAudio,
          QString::fromUtf8("Band - ÿété"));
        r("v2 extended header",
          id3v2(4,
                id3Size(6, 4, 7) + QByteArray("\x01\x00", 2) + v2Texts(4, 0, "Band", "Song") +
                    QByteArray(16, '\0'),
                '\x40') +
              kAudio,
          "Band - Song");
        r("random bytes after ID3", "ID3" + QByteArray("\x93\x01\xffk\x80\x80z") + kAudio,
          "Track01");
        r("missing", QByteArray(), QString(), "C:/Music/gone.mp3");
        r("no such drive", QByteArray(), QString(), "Q:/Music/gone.mp3");
    }
    void titles() {
        QFETCH(QString, path);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, title);
        useMemoryFs().addFolder(QStringLiteral("C:/Music"));
        if (!bytes.isNull())
            fs->addFile(path, bytes);
        QCOMPARE(InfoMP3M(path), title);
        if (bytes.isNull())
            return;
        // One opening: the v1 tag's bytes at the end, however large the
        // file, then at most the v2 tag's header and bytes at the start.
        QVERIFY(fs->reads.value(0).endsWith(QStringLiteral(":128")));
        QFETCH(int, reads);
        QVERIFY(fs->reads.size() <= reads);
    }

    // Two threads, each through scopes that leave an object alive (and some
    // larger than the arena's block), use up its blocks and go on with the
    // general allocator; what each scope made and freed inside it is made
    // over the freed room. Every object kept stays whole through all of it.
    void arenaKeepsWhatOutlivesItsScope() {
        using Kept = std::vector<std::unique_ptr<std::string>>;
        const auto keepEach = [](Kept *kept, char mark) {
            for (int i = 0; i < 100; ++i) {
                const TagArena::Scope arena;
                const TagArena::Scope inner; // scopes do not nest
                { const std::vector<std::string> scratch(50, std::string(100, 'x')); }
                kept->push_back(std::make_unique<std::string>(i % 10 ? 200 : 1 << 20, mark));
            }
        };
        Kept mine, theirs;
        std::thread other(keepEach, &theirs, 'b');
        keepEach(&mine, 'a');
        other.join();
        for (const auto &[kept, mark] : {std::pair{&mine, 'a'}, std::pair{&theirs, 'b'}}) {
            QCOMPARE(kept->size(), size_t(100));
            for (size_t i = 0; i < kept->size(); ++i)
                QVERIFY(*kept->at(i) == std::string(i % 10 ? 200 : 1 << 20, mark));
        }
    }
};

QTEST_GUILESS_MAIN(TestInfoMP3M)
#include "tst_infomp3m.moc"
