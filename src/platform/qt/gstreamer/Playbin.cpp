#include "platform/qt/gstreamer/Playbin.h"

#include "platform/qt/gstreamer/EngineStart.h"

namespace tv {

namespace {

// playbin's GstPlayFlags (its headers are private): sound only, its loudness
// set by a volume element of its own rather than by the sound server's stream,
// which the server may restore to what another program left there.
constexpr guint kAudio = 1u << 1, kSoftVolume = 1u << 4;

} // namespace

GstElement *makePlaybin() {
    if (!startEngine())
        return nullptr;
    GstElement *playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin)
        return nullptr;
    gst_object_ref_sink(playbin);
    g_object_set(playbin, "flags", kAudio | kSoftVolume, nullptr);
    return playbin;
}

} // namespace tv
