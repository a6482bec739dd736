#include "playback/PlayerCommands.h"

#include "core/Forma.h"
#include "platform/Ports.h"
#include "playback/Sequencing.h"

#include <QPointer>

namespace tv {

void MediaPlayer1_PlayStateChange(int newState) {
    Forma &f = frmForma();
    // Stopped is the end of a song - or a file the player could not decode,
    // which must move on the same way rather than stall the album.
    if (newState == MediaPlayer::Stopped)
        f.tmrEndSound.start();
    const bool playing = P().player && P().player->playState() == MediaPlayer::Playing;
    f.setPictureButtons({!playing, playing}, {playing, !playing});
}

void connectPlayback() {
    // The connections hang on one context object, a child of the main window:
    // they die with it, and a second call replaces them instead of doubling.
    static QPointer<QObject> context;
    delete context.data();
    Forma &f = frmForma();
    context = new QObject(&f);
    if (P().player)
        QObject::connect(P().player, &MediaPlayer::PlayStateChange, context,
                         &MediaPlayer1_PlayStateChange);
    QObject::connect(&f.tmrEndSound, &QTimer::timeout, context, &tmrEndSound_Timer);
}

} // namespace tv
