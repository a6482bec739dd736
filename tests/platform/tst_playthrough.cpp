// An album of short MP3 files played by the real player: each song's end
// starts the next one a second later, and the album's end opens the next album.

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

QByteArray album(const QStringList &songs) {
    return AlbumFormat::format(songs);
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

    // Lists the albums of AppDir and opens the first one, as a start-up does.
    void openFirstAlbum() {
        LoadAlbomInfoM();
        frmForma().lstAlbomy.setListIndex(0);
        QCOMPARE(OpenAlbomM(frmForma().lstAlbomy.List(0)), 0);
    }
};

} // namespace

class TestPlayThrough : public QObject {
    Q_OBJECT
private slots:
    void albumPlaysThroughIntoTheNextAlbum() {
        RealPlayer real;
        test::LogicEnv &env = real.env;
        const QByteArray tone = mp3("tone-0.4s.mp3");
        QVERIFY(!tone.isEmpty());
        // The third file's name is not UTF-8: the engine opens it all the same.
        const QString third = QStringLiteral("E:/Music/3") + QChar(0xF0FF) + ".mp3";
        for (const QString &name :
             {QStringLiteral("E:/Music/1.mp3"), QStringLiteral("E:/Music/2.mp3"), third,
              QStringLiteral("E:/Music/b.mp3")})
            env.drives.put(name, tone);
        // Qt cannot name that file, so its temporary folder would keep it.
        const auto removeThird = qScopeGuard([&] {
            const QByteArray raw = QFile::encodeName(env.drives.native("E:/Music")) + "/3\xff.mp3";
            std::remove(raw.constData());
        });
        env.drives.put(env.app("a.alb"),
                       album({"OneE:/Music/1.mp3", "TwoE:/Music/2.mp3", "Three" + third}));
        env.drives.put(env.app("b.alb"), album({"Next albumE:/Music/b.mp3"}));

        G().ShowForm = true;
        frmForma().setVisible(true);
        real.openFirstAlbum();

        // Three songs of 0.4 s, each followed by the one-second pause of the
        // end-of-song timer: the next album starts after about 4 s.
        QTRY_COMPARE_WITH_TIMEOUT(G().NameAlbom, QStringLiteral("b.alb"), 20000);
        QTRY_COMPARE_WITH_TIMEOUT(real.player.playState(), int(MediaPlayer::Playing), 5000);
        QCOMPARE(env.tray.calls, QStringList({"tip:1.One - a.alb", "tip:2.Two - a.alb",
                                              "tip:3.Three - a.alb", "tip:1.Next album - b.alb"}));
        QCOMPARE(G().Alboms.at(0).NumPesni, 0);
        QCOMPARE(frmForma().lstAlbomy.ListIndex(), 1);
        QCOMPARE(env.dialogs.msgs.size(), 0);
    }

    void anUndecodableSongIsSkipped() {
        RealPlayer real;
        test::LogicEnv &env = real.env;
        env.drives.put("E:/Music/bad.mp3", mp3("corrupt.mp3"));
        env.drives.put("E:/Music/good.mp3", mp3("tone-0.8s.mp3"));
        env.drives.put(env.app("a.alb"), album({"BadE:/Music/bad.mp3", "GoodE:/Music/good.mp3"}));

        real.openFirstAlbum();

        QTRY_COMPARE_WITH_TIMEOUT(G().NumPesni, 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(real.player.playState(), int(MediaPlayer::Playing), 5000);
        QCOMPARE(env.dialogs.msgs.size(), 0);
    }
};

QTEST_MAIN(TestPlayThrough)
#include "tst_playthrough.moc"
