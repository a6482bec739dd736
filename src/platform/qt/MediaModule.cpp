#include "platform/qt/MediaModule.h"

#include "platform/MediaPlayer.h"
#include "platform/qt/ModuleLoader.h"

#include <QCoreApplication>
#include <QThread>
#include <utility>

namespace tv {

namespace {

class SilentBackend : public MediaBackend {
public:
    SilentBackend(MediaBackendEvents events, double volume)
        : m_events(std::move(events)), m_volume(volume) {}
    void setURL(const QString &url, const QString &) override { m_url = url; }
    void setNext(const QString &, const QString &) override {}
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

// Without the module, or without the engine it needs, silence.
std::unique_ptr<MediaBackend> backendFrom(Entry entry, MediaBackendEvents events, double volume) {
    if (entry)
        if (MediaBackend *backend = entry(events, volume))
            return std::unique_ptr<MediaBackend>(backend);
    return std::make_unique<SilentBackend>(std::move(events), volume);
}

// Dropped when the application object is gone: the program is ending.
void runInApplication(std::function<void()> step) {
    if (QCoreApplication *app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(step), Qt::QueuedConnection);
}

} // namespace

std::unique_ptr<MediaBackend> loadMediaModule(const QString &folder, MediaBackendEvents events,
                                              double volume) {
    return backendFrom(backendEntry(folder), std::move(events), volume);
}

PreparedMediaModule::PreparedMediaModule(const QString &folder) : m_folder(folder) {}

PreparedMediaModule::~PreparedMediaModule() {
    if (m_thread.joinable())
        m_thread.join();
}

void PreparedMediaModule::startEngine() {
    if (std::exchange(m_started, true))
        return;
    // Qt takes the first thread that asks for its own for the application's
    // thread: this one, before the engine's loads its module.
    QThread::currentThread();
    m_thread = std::thread([this] { prepare(); });
}

void PreparedMediaModule::prepare() {
    m_entry = backendEntry(m_folder);
    if (m_entry)
        if (const auto start = moduleEntry<Prepare>(m_folder, "tonvela_media",
                                                    "tonvela_media_prepare", "no early start"))
            start();
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_prepared = true;
    if (m_ready)
        runInApplication(std::exchange(m_ready, nullptr));
}

void PreparedMediaModule::whenReady(std::function<void()> ready) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (m_prepared)
        runInApplication(std::move(ready));
    else
        m_ready = std::move(ready);
}

std::unique_ptr<MediaBackend> PreparedMediaModule::make(MediaBackendEvents events, double volume) {
    startEngine();
    if (m_thread.joinable())
        m_thread.join();
    return backendFrom(m_entry, std::move(events), volume);
}

} // namespace tv
