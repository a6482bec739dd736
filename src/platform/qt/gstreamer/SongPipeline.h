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
//
// In the chain each file is read and decoded by a branch of its own, joined
// to the output by concat: a second branch linked while the first plays
// follows it sample for sample (the parser drops the encoder's delay and
// padding that the file's LAME header names), without a gap.
class SongPipeline {
public:
    // Null when GStreamer cannot make one (its plugins missing).
    static std::unique_ptr<SongPipeline> mp3Chain();
    static std::unique_ptr<SongPipeline> playbin();
    ~SongPipeline();
    SongPipeline(const SongPipeline &) = delete;
    SongPipeline &operator=(const SongPipeline &) = delete;

    GstElement *element() const { return m_pipeline; }
    bool isPlaybin() const { return !m_concat; }
    // Only while the pipeline is stopped (READY or NULL).
    void setFile(const QByteArray &native);
    void setVolume(double volume);

    // The chain only, while it plays: the file that follows the one playing.
    // False when no branch could be made for it.
    bool linkNext(const QByteArray &native);
    // A next file not yet begun is given up; false when it has begun already.
    bool unlinkNext();
    // Whether the last branch linked is the one the output takes from now.
    bool nextBegun() const;
    // The branches before the one playing, done with, are taken out.
    void dropFinished();
    // Whether what the pipeline reports comes from the next file's branch.
    bool fromNext(GstObject *source) const;

    // The application message the chain posts when a file's first sample
    // goes to the output, with the running time at which it is heard
    // (before the output's latency).
    static constexpr const char *kBegins = "tonvela-begins";

private:
    SongPipeline(GstElement *pipeline, GstElement *concat, GstElement *volume);
    static std::unique_ptr<SongPipeline> chainOf(const std::vector<const char *> &kinds);
    GstElement *addBranch(const QByteArray &native);
    void removeBranch(GstElement *branch);
    GstPad *activePad() const;
    void watchBeginnings();
    struct Watch;

    GstElement *const m_pipeline;
    // The chain's joint of the files' branches; none in playbin, which is
    // given an address.
    GstElement *const m_concat;
    // What holds the "volume" property: the chain's volume element, or playbin.
    GstElement *const m_volume;
    // The chain's branches in the order they play.
    std::vector<GstElement *> m_branches;
    std::unique_ptr<Watch> m_watch;
};

} // namespace tv
