#pragma once

#include "platform/qt/MediaBackend.h"

#include <condition_variable>
#include <mutex>
#include <thread>

namespace tv {

// The media engine from the module in the folder (libtonvela_media, beside
// the program). When the module cannot be loaded the reason goes to the error output and
// an engine that plays nothing stands in: the program then stays on the
// song it started, stopped, rather than running through every album.
std::unique_ptr<MediaBackend> loadMediaModule(const QString &folder, MediaBackendEvents events,
                                              double volume);

// The media module loaded on a thread of its own from the first line of the
// program on, and its engine started there once the window is shown: loading
// them takes longer than the whole window takes to show, and starting the
// engine (GStreamer and its plugins) alongside the window's own building would
// hold that up. The engine's Qt objects are made by make(), in the window's
// thread, once the thread is done (make waits for it).
class PreparedMediaModule {
public:
    explicit PreparedMediaModule(const QString &folder);
    ~PreparedMediaModule();
    PreparedMediaModule(const PreparedMediaModule &) = delete;
    PreparedMediaModule &operator=(const PreparedMediaModule &) = delete;

    // Lets the thread go on to start the engine.
    void startEngine();

    // The engine of the module in the folder: the one prepared when that is
    // where it came from, else loaded now as loadMediaModule does.
    std::unique_ptr<MediaBackend> make(const QString &folder, MediaBackendEvents events,
                                       double volume);

private:
    using Entry = MediaBackend *(*)(MediaBackendEvents, double);
    enum class Go { Wait, Start, Skip };

    void prepare();
    void finish(Go how);

    const QString m_folder;
    // Written by the thread alone, read once it is joined.
    Entry m_entry = nullptr;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    Go m_go = Go::Wait;
    std::thread m_thread;
};

} // namespace tv
