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

} // namespace

std::unique_ptr<MediaBackend> loadMediaModule(const QString &folder, MediaBackendEvents events,
                                              double volume) {
    const auto entry =
        moduleEntry<Entry>(folder, "tonvela_media", "tonvela_media_backend", "no sound");
    if (!entry)
        return std::make_unique<SilentBackend>(std::move(events), volume);
    return std::unique_ptr<MediaBackend>(entry(std::move(events), volume));
}

} // namespace tv
