#include "platform/qt/gstreamer/Playbin.h"

#include "platform/qt/gstreamer/EngineStart.h"

#include <mutex>
#include <utility>

namespace tv {

namespace {

// playbin's GstPlayFlags (its headers are private): sound only, its loudness
// set by a volume element of its own rather than by the sound server's stream,
// which the server may restore to what another program left there.
constexpr guint kAudio = 1u << 1, kSoftVolume = 1u << 4;

std::mutex preparedLock;
GstElement *prepared = nullptr;

GstElement *makePlaybin() {
    if (!startEngine())
        return nullptr;
    GstElement *playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin)
        return nullptr;
    gst_object_ref_sink(playbin);
    g_object_set(playbin, "flags", kAudio | kSoftVolume, nullptr);
    // Made here rather than by playbin when the first song is set up, so that
    // it can be opened beforehand.
    if (GstElement *output = gst_element_factory_make("autoaudiosink", nullptr))
        g_object_set(playbin, "audio-sink", output, nullptr);
    return playbin;
}

} // namespace

void preparePlaybin() {
    GstElement *playbin = makePlaybin();
    if (!playbin)
        return;
    GstElement *output = nullptr;
    g_object_get(playbin, "audio-sink", &output, nullptr);
    // playbin leaves the output alone until a song is set up; READY opens it.
    if (output) {
        gst_element_set_state(output, GST_STATE_READY);
        gst_object_unref(output);
    }
    gst_element_set_state(playbin, GST_STATE_READY);
    const std::lock_guard<std::mutex> hold(preparedLock);
    if (prepared)
        gst_object_unref(prepared);
    prepared = playbin;
}

GstElement *takePlaybin() {
    {
        const std::lock_guard<std::mutex> hold(preparedLock);
        if (GstElement *playbin = std::exchange(prepared, nullptr))
            return playbin;
    }
    return makePlaybin();
}

} // namespace tv
