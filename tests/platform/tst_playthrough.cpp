// An album of short MP3 files played by the real player: each song's end
// starts the next one a second later, one that cannot be decoded is passed
// over, and the album's end opens the next album.

#include "Fakes.h"

#include "core/AlbumCommands.h"
#include "core/AlbumFile.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "platform/qt/MediaModule.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtMediaPlayer.h"
#include "playback/PlayerCommands.h"

#include <QFile>
#include <QScopeGuard>
#include <cstdio>

using namespace tv;

namespace {

QByteArray mp3(const char *name) {
    QFile f(QStringLiteral(TV_TEST_DATA "/") + QLatin1String(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The logic with the real player, its engine loaded from the module as the
// program loads it, and a real event loop; the other ports fake.
struct RealPlayer {
    test::LogicEnv env;
    QtEventLoop events;
    QtMediaPlayer player{env.drives.fs(), [](MediaBackendEvents events, double volume) {
                             return loadMediaModule(QStringLiteral(TV_TEST_BUILD "/.."),
                                                    std::move(events), volume);
                         }};

    RealPlayer() {
        P().events = &events;
        P().player = &player;
        LanguageEnM();
        connectPlayback();
    }
    ~RealPlayer() { player.pause(); }
};

} // namespace

class TestPlayThrough : public QObject {
    Q_OBJECT
private slots:
    // The second song cannot be decoded: it is passed over without a word.
    void albumPlaysThroughIntoTheNextAlbum() {
        RealPlayer real;
        test::LogicEnv &env = real.env;
        const QByteArray tone = mp3("tone-0.4s.mp3");
        QVERIFY(!tone.isEmpty());
        // The third file's name is not UTF-8: the engine opens it all the same.
        const QString third = QStringLiteral("E:/Music/3") + QChar(0xF0FF) + ".mp3";
        for (const QString &name :
             {QStringLiteral("E:/Music/1.mp3"), third, QStringLiteral("E:/Music/b.mp3")})
            env.drives.put(name, tone);
        env.drives.put("E:/Music/bad.mp3", mp3("corrupt.mp3"));
        // Qt cannot name that file, so its temporary folder would keep it.
        const auto removeThird = qScopeGuard([&] {
            const QByteArray raw = QFile::encodeName(env.drives.native("E:/Music")) + "/3\xff.mp3";
            std::remove(raw.constData());
        });
        env.drives.put(
            env.app("a.alb"),
            AlbumFormat::format({"OneE:/Music/1.mp3", "BadE:/Music/bad.mp3", "Three" + third}));
        env.drives.put(env.app("b.alb"), AlbumFormat::format({"Next albumE:/Music/b.mp3"}));

        G().ShowForm = true;
        frmForma().setVisible(true);
        // The albums of AppDir listed and the first one opened, as a start-up does.
        LoadAlbomInfoM();
        frmForma().lstAlbomy.setListIndex(0);
        QCOMPARE(OpenAlbomM(frmForma().lstAlbomy.List(0)), 0);

        // Three songs of 0.4 s, each followed by the one-second pause of the
        // end-of-song timer: the next album starts after about 4 s.
        QTRY_COMPARE_WITH_TIMEOUT(G().NameAlbom, QStringLiteral("b.alb"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(real.player.playState(), int(MediaPlayer::Playing), 5000);
        QCOMPARE(env.tray.calls, QStringList({"tip:1.One - a.alb", "tip:2.Bad - a.alb",
                                              "tip:3.Three - a.alb", "tip:1.Next album - b.alb"}));
        QCOMPARE(G().Alboms.at(0).NumPesni, 0);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
        QCOMPARE(env.dialogs.msgs.size(), 0);
    }
};

QTEST_MAIN(TestPlayThrough)
#include "tst_playthrough.moc"
