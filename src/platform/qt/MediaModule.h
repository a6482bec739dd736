#pragma once

#include "platform/qt/MediaBackend.h"

#include <functional>
#include <mutex>
#include <thread>

namespace tv {

// The media engine from the module in the folder (libtonvela_media, beside
// the program). When the module cannot be loaded, or cannot make its engine,
// the reason goes to the error output and an engine that plays nothing stands in: the program then
// stays on the song it started, stopped, rather than running through every album.
std::unique_ptr<MediaBackend> loadMediaModule(const QString &folder, MediaBackendEvents events,
                                              double volume);

// The media module loaded, and its engine started (GStreamer, its registry
// read, most plugins an MP3 needs loaded, the pipeline for the first song made
// and its sound output opened), on a thread of their own from the first line
// of the program: loading them takes about as long as the toolkit and the
// window take to come up, and the two go on side by side. The engine's Qt
// objects are made by make(), in the window's thread (make waits for the
// thread to be done).
class PreparedMediaModule {
public:
    explicit PreparedMediaModule(const QString &folder);
    ~PreparedMediaModule();
    PreparedMediaModule(const PreparedMediaModule &) = delete;
    PreparedMediaModule &operator=(const PreparedMediaModule &) = delete;

    // Starts the thread, if it is not started yet; no application object is
    // needed for it.
    void startEngine();

    // Once the thread is done (at once if it is), ready runs in the thread of
    // the application object, which must exist by this call.
    void whenReady(std::function<void()> ready);

    // The engine of the module in the folder, prepared first if it was not.
    std::unique_ptr<MediaBackend> make(MediaBackendEvents events, double volume);

private:
    using Entry = MediaBackend *(*)(MediaBackendEvents, double);

    void prepare();

    const QString m_folder;
    // Written by the thread alone, read once it is joined.
    Entry m_entry = nullptr;
    bool m_started = false;
    std::thread m_thread;
    // The hand-over between the thread and whenReady.
    std::mutex m_mutex;
    bool m_prepared = false;
    std::function<void()> m_ready;
};

} // namespace tv
