#pragma once

#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/InstanceGuard.h"
#include "platform/MediaBus.h"
#include "platform/MediaPlayer.h"
#include "platform/Shell.h"
#include "platform/TrayIcon.h"
#include "platform/WebFetcher.h"
#include "platform/WindowPort.h"

namespace tv {

// The ports through which the logic reaches the outside. main() installs the
// real ones, tests install fakes. None is owned here.
struct Ports {
    MediaPlayer *player = nullptr;
    Dialogs *dialogs = nullptr;
    FileSystem *fs = nullptr;
    EventLoop *events = nullptr;
    Shell *shell = nullptr;
    TrayIcon *tray = nullptr;
    WindowPort *windows = nullptr;
    InstanceGuard *instance = nullptr;
    MediaBus *bus = nullptr;
    WebFetcher *web = nullptr;
};

Ports &P();

} // namespace tv
