#include "platform/qt/MediaModule.h"

#include "platform/MediaPlayer.h"
#include "platform/qt/ModuleLoader.h"

namespace tv {

namespace {

class SilentBackend : public MediaBackend {
public:
    SilentBackend(MediaBackendEvents events, double volume)
        : m_events(std::move(events)), m_volume(volume) {}
    void setURL(const QString &url, const QString &) override { m_url = url; }
    int state() const override {
        return m_url.isEmpty() ? MediaPlayer::Undefined : MediaPlayer::Stopped;
    }
    void play() override {}
    void pause() override {}
    void stop() override {}
    bool seek(qint64) override { return false; }
    qint64 position() const override { return 0; }
    qint64 duration() const override { return 0; }
    double volume() const override { return m_volume; }
    void setVolume(double volume) override {
        if (qFuzzyCompare(volume, m_volume))
            return;
        m_volume = volume;
        m_events.volumeChanged(volume);
    }

private:
    MediaBackendEvents m_events;
    QString m_url;
    double m_volume;
};

using Entry = MediaBackend *(*)(MediaBackendEvents, double);
using Prepare = void (*)();

Entry backendEntry(const QString &folder) {
    return moduleEntry<Entry>(folder, "tonvela_media", "tonvela_media_backend", "no sound");
}

std::unique_ptr<MediaBackend> backendFrom(Entry entry, MediaBackendEvents events, double volume) {
    if (!entry)
        return std::make_unique<SilentBackend>(std::move(events), volume);
    return std::unique_ptr<MediaBackend>(entry(std::move(events), volume));
}

} // namespace

std::unique_ptr<MediaBackend> loadMediaModule(const QString &folder, MediaBackendEvents events,
                                              double volume) {
    return backendFrom(backendEntry(folder), std::move(events), volume);
}

PreparedMediaModule::PreparedMediaModule(const QString &folder)
    : m_folder(folder), m_thread([this] { prepare(); }) {}

PreparedMediaModule::~PreparedMediaModule() {
    finish(Go::Skip);
}

void PreparedMediaModule::prepare() {
    m_entry = backendEntry(m_folder);
    const auto start = m_entry ? moduleEntry<Prepare>(m_folder, "tonvela_media",
                                                      "tonvela_media_prepare", "no early sound")
                               : nullptr;
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_go != Go::Wait; });
    if (start && m_go == Go::Start) {
        lock.unlock();
        start();
    }
}

void PreparedMediaModule::startEngine() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_go == Go::Wait)
        m_go = Go::Start;
    m_changed.notify_all();
}

// Lets the thread go (on to start the engine, or to its end) and waits for it.
void PreparedMediaModule::finish(Go how) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (m_go == Go::Wait)
            m_go = how;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
}

std::unique_ptr<MediaBackend> PreparedMediaModule::make(const QString &folder,
                                                        MediaBackendEvents events, double volume) {
    finish(Go::Start);
    if (folder != m_folder)
        return loadMediaModule(folder, std::move(events), volume);
    return backendFrom(m_entry, std::move(events), volume);
}

} // namespace tv
