#include "AlbumKit.h"

#include "core/AlbumFile.h"

#include <QDir>
#include <QSignalSpy>

using namespace tv;
using namespace tv::test;

namespace {

// A disk that fills up while the album is written: the write fails, and
// as with the real file system the old file is left alone.
class FullDisk : public DriveFileSystem {
public:
    using DriveFileSystem::DriveFileSystem;
    FileError writeFile(const QString &, const QByteArray &) override {
        ++writes;
        return FileError::Other;
    }
    int writes = 0;
};

QStringList shown() {
    QStringList rows;
    for (int i = 0; i < frmForma().PlayList.ListCount(); ++i)
        rows << frmForma().PlayList.List(i);
    return rows;
}

} // namespace

class TestAlbumFile : public QObject {
    Q_OBJECT
private slots:
    void readTakesLinesWhole_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("songs");
        const QStringList three = {"  Lead, blanks C:/m/1.mp3", "Live: Act 2E:/live/2.mp3",
                                   "C:/m/untitled.mp3"};
        QTest::newRow("commas colons blanks") << albumFile(" 3 ", three) << three;
        QTest::newRow("count without blanks") << albumFile("3", three) << three;
        QTest::newRow("count far too large")
            << albumFile(" 2000000000 ", three.mid(0, 2)) << three.mid(0, 2);
        QTest::newRow("count smaller than the lines") << albumFile(" 1 ", three) << three.mid(0, 1);
        QTest::newRow("negative count") << albumFile("-5 ", three) << QStringList();
        QTest::newRow("empty album") << QByteArray(" 0 \r\n") << QStringList();
        QTest::newRow("empty file") << QByteArray() << QStringList();
        QTest::newRow("cyrillic in 1251")
            << QByteArray(" 1 \r\n\xC7\xE0\xF0\xFF C:/\xCC\xF3\xE7\xFB\xEA\xE0/z.mp3\r\n")
            << QStringList{QString::fromUtf8("Заря C:/Музыка/z.mp3")};
        QTest::newRow("utf-8 behind a mark") << QByteArray("\xEF\xBB\xBF 1 \r\n\xE9\x9F\xB3"
                                                           "C:/m/a.mp3\r\n")
                                             << QStringList{QString::fromUtf8("音C:/m/a.mp3")};
        QTest::newRow("last line without its end")
            << QByteArray(" 1 \r\nAC:/a.mp3") << QStringList{"AC:/a.mp3"};
    }
    void readTakesLinesWhole() {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, songs);
        LogicEnv env;
        englishTexts();
        env.drives.put(env.app("a.alb"), bytes);
        listAlbums({"a.alb"});
        frmForma().lstAlbomy.setListIndex(0);

        QCOMPARE(OpenAlbomM("a.alb"), 0);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(frmForma().PlayList.ListCount(), songs.size());
        QCOMPARE(G().AlbomChanged, 0);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().NameEndAlbom, "a.alb");
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - a.alb");
        // The songs' files are not there: that is for the song start to say.
        QVERIFY(!prompts(env.dialogs).contains("is not found."));
        QVERIFY(!prompts(env.dialogs).contains("File open not probably."));
    }

    void readThenWriteIsByteExact_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("plain") << albumFile(" 2 ", {"AC:/a.mp3", "BD:/b/b.mp3"});
        QTest::newRow("odd titles")
            << albumFile(" 3 ", {" , :C:/x.mp3", "a:b:cC:/y.mp3", "C:/z.mp3"});
        QTest::newRow("cyrillic") << QByteArray(
            " 1 \r\n\xC7\xE0\xF0\xFF C:/\xCC\xF3\xE7\xFB\xEA\xE0/z.mp3\r\n");
        QTest::newRow("utf-8") << QByteArray("\xEF\xBB\xBF 1 \r\n\xE9\x9F\xB3"
                                             "C:/m/a.mp3\r\n");
        QTest::newRow("empty") << QByteArray(" 0 \r\n");
    }
    void readThenWriteIsByteExact() {
        QFETCH(QByteArray, bytes);
        LogicEnv env;
        env.drives.put(env.app("a.alb"), bytes);
        QCOMPARE(OpenAlbomM("a.alb"), 0);
        env.drives.put(env.app("a.alb"), "overwritten");
        SaveFileM("a.alb");
        QCOMPARE(env.drives.get(env.app("a.alb")), bytes);
    }

    void countLineIsRewrittenWithItsBlanks() {
        LogicEnv env;
        env.drives.put(env.app("a.alb"), albumFile("2", {"AC:/a.mp3", "BC:/b.mp3", "CC:/c.mp3"}));
        OpenAlbomM("a.alb");
        SaveFileM("a.alb");
        QCOMPARE(env.drives.get(env.app("a.alb")), QByteArray(" 2 \r\nAC:/a.mp3\r\nBC:/b.mp3\r\n"));
    }

    void emptyAlbumIsOneLineAndStartsNothing() {
        LogicEnv env;
        SaveFileM("e.alb");
        QCOMPARE(env.drives.get(env.app("e.alb")), QByteArray(" 0 \r\n"));

        frmForma().ListPath = songsOnDisk(env, 3);
        frmForma().PlayList.rebuild();
        env.player.calls.clear();
        QCOMPARE(OpenAlbomM("e.alb"), 0);
        QVERIFY(frmForma().ListPath.isEmpty());
        QCOMPARE(frmForma().PlayList.ListCount(), 0);
        QVERIFY(env.player.calls.isEmpty());
    }

    void rememberedSongStarts_data() {
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("remembered");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("started");
        QTest::newRow("remembered song") << 0 << 3 << -1 << 3;
        QTest::newRow("past the end starts the first") << 0 << 7 << -1 << 0;
        QTest::newRow("none yet starts the first") << 0 << -1 << 4 << 0;
        QTest::newRow("no entry selected keeps the current") << -1 << 3 << 2 << 2;
    }
    void rememberedSongStarts() {
        QFETCH(int, selected);
        QFETCH(int, remembered);
        QFETCH(int, current);
        QFETCH(int, started);
        LogicEnv env;
        env.drives.put(env.app("five.alb"), albumFile(" 5 ", songsOnDisk(env, 5)));
        listAlbums({"five.alb"});
        G().Alboms[0].NumPesni = remembered;
        frmForma().lstAlbomy.setListIndex(selected);
        G().NumPesni = current;

        QCOMPARE(OpenAlbomM("five.alb"), 0);
        QCOMPARE(G().NumAlbom, selected);
        QCOMPARE(G().NumPesni, started);
        QCOMPARE(env.player.URL(), QStringLiteral("C:/Music/%1.mp3").arg(started));
        if (selected >= 0)
            QCOMPARE(G().Alboms[selected].NumPesni, started);
    }

    void newPlaceholderGoesWhetherOrNotTheReadSucceeds_data() {
        QTest::addColumn<bool>("present");
        QTest::newRow("read") << true;
        QTest::newRow("missing") << false;
    }
    void newPlaceholderGoesWhetherOrNotTheReadSucceeds() {
        QFETCH(bool, present);
        LogicEnv env;
        if (present)
            env.drives.put(env.app("a.alb"), " 0 \r\n");
        listAlbums({"a.alb", "New"});
        G().Alboms[1].NumPesni = -1;
        OpenAlbomM("a.alb");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
        QCOMPARE(G().AlbomUB, 0);
        QCOMPARE(G().Alboms.size(), 1);
        QCOMPARE(G().Alboms[0].Name, "a.alb");
    }

    void failedReadSaysWhyAndChangesNothing_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing file") << "gone.alb"
                                      << "is not found.";
        QTest::newRow("folder of that name") << "dir.alb"
                                             << "File open not probably.";
    }
    void failedReadSaysWhyAndChangesNothing() {
        QFETCH(QString, name);
        QFETCH(QString, message);
        LogicEnv env;
        englishTexts();
        QDir().mkpath(env.drives.native(env.app("dir.alb")));
        const QStringList songs = songsOnDisk(env, 2);
        frmForma().ListPath = songs;
        frmForma().PlayList.rebuild();
        G().NameAlbom = "old.alb";
        G().AlbomChanged = 1;
        G().ShowForm = false;
        frmForma().noteVisible(false);
        int eventsBeforeMsg = -1;
        bool visibleAtMsg = false;
        env.dialogs.onMsg = [&](const MsgCall &) {
            eventsBeforeMsg = env.events.doEvents;
            visibleAtMsg = frmForma().Visible();
        };

        QCOMPARE(OpenAlbomM(name), 1);
        QCOMPARE(env.dialogs.msgs.size(), 1);
        QCOMPARE(env.dialogs.msgs[0].prompt, message);
        QCOMPARE(env.dialogs.msgs[0].style, vbOKOnly + vbCritical);
        QCOMPARE(env.dialogs.msgs[0].title, "Tonvela for MP3");
        QVERIFY(visibleAtMsg);
        QCOMPARE(eventsBeforeMsg, 1);
        QCOMPARE(G().ShowForm, false);
        QCOMPARE(frmForma().Caption(), name);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(frmForma().PlayList.ListCount(), 2);
        QCOMPARE(G().NameAlbom, "old.alb");
        QCOMPARE(G().AlbomChanged, 1);
    }

    void writeRefreshesAndSelectsTheAlbum() {
        LogicEnv env;
        englishTexts();
        env.drives.put(env.app("b.alb"), " 0 \r\n");
        listAlbums({"b.alb"});
        frmForma().ListPath = {QString::fromUtf8("Песня, one: twoC:/m/1.mp3"), "xE:/y.mp3"};
        G().AlbomChanged = 1;
        G().NumPesni = 1;

        SaveFileM("a.alb");
        QCOMPARE(env.drives.get(env.app("a.alb")),
                 QByteArray(" 2 \r\n\xCF\xE5\xF1\xED\xFF, one: twoC:/m/1.mp3\r\nxE:/y.mp3\r\n"));
        QCOMPARE(G().AlbomChanged, 0);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().NameEndAlbom, "a.alb");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList({"a.alb", "b.alb"}));
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 0);
        QCOMPARE(G().NumAlbom, 0);
        QCOMPARE(G().Alboms[0].NumPesni, 1);
        QCOMPARE(frmForma().Caption(), "Tonvela for MP3 - a.alb");
        QVERIFY(env.dialogs.msgs.isEmpty());
    }

    void replacingAnotherAlbumAsks_data() {
        QTest::addColumn<QString>("open");
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("asked");
        QTest::addColumn<bool>("written");
        QTest::newRow("own name") << "Rock.alb"
                                  << "Rock.alb" << true << 0 << false << true;
        QTest::newRow("own name other case") << "Rock.alb"
                                             << "ROCK.alb" << true << 0 << false << true;
        QTest::newRow("new name, free") << "Rock.alb"
                                        << "Pop.alb" << false << 0 << false << true;
        QTest::newRow("new name taken, no") << "Rock.alb"
                                            << "Pop.alb" << true << int(vbNo) << true << false;
        QTest::newRow("new name taken, yes") << ""
                                             << "Pop.alb" << true << int(vbYes) << true << true;
    }
    void replacingAnotherAlbumAsks() {
        QFETCH(QString, open);
        QFETCH(QString, target);
        QFETCH(bool, exists);
        QFETCH(int, answer);
        QFETCH(bool, asked);
        QFETCH(bool, written);
        LogicEnv env;
        englishTexts();
        if (exists)
            env.drives.put(env.app(target), "old");
        G().NameAlbom = open;
        G().AlbomChanged = 1;
        frmForma().ListPath = {"AC:/a.mp3"};
        if (answer)
            env.dialogs.answers.enqueue(answer);

        SaveFileM(target);
        QCOMPARE(env.dialogs.msgs.size(), asked ? 1 : 0);
        if (asked) {
            QCOMPARE(env.dialogs.msgs[0].prompt, "File already exists.\r\nReplace him?");
            QCOMPARE(env.dialogs.msgs[0].style, vbYesNo + vbExclamation + vbDefaultButton2);
            QCOMPARE(env.dialogs.msgs[0].title, "Tonvela for MP3");
        }
        QCOMPARE(env.drives.get(env.app(target)),
                 written ? QByteArray(" 1 \r\nAC:/a.mp3\r\n") : QByteArray("old"));
        QCOMPARE(G().AlbomChanged, written ? 0 : 1);
        QCOMPARE(G().NameAlbom, written ? target : open);
    }

    void failedWriteKeepsTheOldFile_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("message");
        QTest::newRow("read-only file") << "readonly"
                                        << "a.alb"
                                        << "File is protected from recording.";
        QTest::newRow("folder of that name") << "folder"
                                             << "d.alb"
                                             << "File is protected from recording.";
        QTest::newRow("missing folder") << ""
                                        << "nowhere/a.alb"
                                        << "File save not probably.";
        QTest::newRow("disk full") << "full"
                                   << "a.alb"
                                   << "File save not probably.";
    }
    void failedWriteKeepsTheOldFile() {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, message);
        LogicEnv env;
        englishTexts();
        const QByteArray old = albumFile(" 1 ", {"OldC:/old.mp3"});
        env.drives.put(env.app("a.alb"), old);
        listAlbums({"a.alb"});
        FullDisk full({{"C", env.drives.native("C:/")}});
        if (kind == "full")
            P().fs = &full;
        if (kind == "readonly")
            QFile::setPermissions(env.drives.native(env.app(name)),
                                  QFile::ReadOwner | QFile::ReadGroup);
        if (kind == "folder")
            QDir().mkpath(env.drives.native(env.app(name)));
        G().NameAlbom = "a.alb";
        G().NameEndAlbom = "a.alb";
        G().AlbomChanged = 1;
        frmForma().ListPath = {"NewC:/new.mp3"};

        SaveFileM(name);
        QCOMPARE(prompts(env.dialogs), QStringList{message});
        QCOMPARE(env.dialogs.msgs[0].style, vbOKOnly + vbCritical);
        QCOMPARE(env.dialogs.msgs[0].title, "Tonvela for MP3");
        QCOMPARE(env.drives.get(env.app("a.alb")), old);
        QCOMPARE(G().AlbomChanged, 1);
        QCOMPARE(G().NameAlbom, "a.alb");
        QCOMPARE(G().NameEndAlbom, "a.alb");
        QCOMPARE(frmForma().lstAlbomy.items(), QStringList{"a.alb"});
        QCOMPARE(full.writes, kind == "full" ? 1 : 0);
        QFile::setPermissions(env.drives.native(env.app("a.alb")),
                              QFile::ReadOwner | QFile::WriteOwner);
    }

    void textsOutside1251RoundTrip() {
        LogicEnv env;
        const QStringList songs = {QString::fromUtf8("音楽の曲C:/音楽/曲.mp3"),
                                   QString::fromUtf8("ЗаряC:/m/z.mp3"), "plainC:/p.mp3"};
        frmForma().ListPath = songs;
        SaveFileM("u.alb");
        const QByteArray bytes = env.drives.get(env.app("u.alb"));
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF 3 \r\n"));
        frmForma().ListPath.clear();
        QCOMPARE(OpenAlbomM("u.alb"), 0);
        QCOMPARE(frmForma().ListPath, songs);
        QCOMPARE(shown()[0], QString::fromUtf8("1.音楽の曲"));
    }
};

QTEST_GUILESS_MAIN(TestAlbumFile)
#include "tst_albumfile.moc"
