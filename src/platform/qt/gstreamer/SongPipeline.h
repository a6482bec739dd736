#pragma once

#include <QByteArray>
#include <gst/gst.h>
#include <memory>
#include <vector>

namespace tv {

// The pipeline a song plays in, with its sound output and its loudness. Two
// kinds: the MP3 chain, its elements named beforehand (the file read, its
// tags taken off, its frames parsed and decoded, and sent to the default
// sound output); and GStreamer's playbin, which finds its elements by the
// file's type, for what the chain cannot play. The chain starts the first
// song of a start in about two thirds of playbin's time, which spends the
// rest finding the type and choosing among the plugins.
class SongPipeline {
public:
    // Null when GStreamer cannot make one (its plugins missing).
    static std::unique_ptr<SongPipeline> mp3Chain();
    static std::unique_ptr<SongPipeline> playbin();
    ~SongPipeline();
    SongPipeline(const SongPipeline &) = delete;
    SongPipeline &operator=(const SongPipeline &) = delete;

    GstElement *element() const { return m_pipeline; }
    bool isPlaybin() const { return !m_source; }
    // Only while the pipeline is stopped (READY or NULL).
    void setFile(const QByteArray &native);
    void setVolume(double volume);

private:
    SongPipeline(GstElement *pipeline, GstElement *source, GstElement *volume);
    static std::unique_ptr<SongPipeline> chainOf(const std::vector<const char *> &kinds);

    GstElement *const m_pipeline;
    // The chain's file source; none in playbin, which is given an address.
    GstElement *const m_source;
    // What holds the "volume" property: the chain's volume element, or playbin.
    GstElement *const m_volume;
};

} // namespace tv
