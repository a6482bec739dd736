#pragma once

// Shared set-up of the playback tests that move between albums.

#include "Fakes.h"

#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"
#include "playback/ListAlbomModel.h"
#include "playback/PlayerCommands.h"
#include "playback/Sequence.h"

#include <memory>
#include <vector>

namespace tv::test {

// The window layer as the real one behaves: showing the album-list window
// builds its model, which lives until the window unloads.
class ListWindows : public FakeWindows {
public:
    void showListAlbom() override {
        FakeWindows::showListAlbom();
        models.push_back(std::make_unique<ListAlbomModel>());
    }
    std::vector<std::unique_ptr<ListAlbomModel>> models;
};

// English texts and the first `albums` of a, b, c in AppDir, two songs each
// ("One" E:/m/<x>/1.mp3, "Two" .../2.mp3), as the album-list refresh leaves
// them, b remembering its second song; the player's reports connected.
struct Shelf : LogicEnv {
    // Its models hang on the main window: they go before LogicEnv resets it.
    ListWindows listWindows;

    explicit Shelf(int albums = 3) {
        P().windows = &listWindows;
        listWindows.events = &events;
        LanguageEnM();
        for (int a = 0; a < albums; ++a) {
            const QString name(QChar('a' + a)), dir = "E:/m/" + name + "/";
            drives.put(dir + "1.mp3");
            drives.put(dir + "2.mp3");
            drives.put(app(name + ".alb"),
                       albumFile(" 2 ", {"One" + dir + "1.mp3", "Two" + dir + "2.mp3"}));
        }
        LoadAlbomInfoM();
        if (albums > 1)
            G().Alboms[1].NumPesni = 1;
        connectPlayback();
    }

    // Opens album i as a double-click in the album list would, then starts
    // song `song` of it; the logs start empty.
    void open(int i, int song) {
        frmForma().lstAlbomy.setListIndex(i);
        QCOMPARE(OpenAlbomM(frmForma().lstAlbomy.List(i)), 0);
        NewPlayM(song);
        player.calls.clear();
        tray.calls.clear();
        listWindows.calls.clear();
    }

    // The songs handed to the player since: "b/2" each.
    QString played() const {
        return player.calls.filter("url:").join(' ').remove("url:E:/m/").remove(".mp3");
    }
};

} // namespace tv::test
