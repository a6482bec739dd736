#include "platform/qt/gstreamer/SongPipeline.h"

#include "platform/qt/gstreamer/EngineStart.h"

namespace tv {

namespace {

// playbin's GstPlayFlags (its headers are private): sound only, its loudness
// set by a volume element of its own rather than by the sound server's stream,
// which the server may restore to what another program left there. The chain
// has such an element too.
constexpr guint kAudio = 1u << 1, kSoftVolume = 1u << 4;

// The elements of the chain, the file source first and the volume element
// next to last. PulseAudio's own sink (PipeWire serves it too) takes the
// decoder's samples at any rate, as they are; any other sink, chosen as
// autoaudiosink chooses, gets them converted.
const std::vector<const char *> kToPulse = {"filesrc",        "id3demux", "mpegaudioparse",
                                            "mpg123audiodec", "volume",   "pulsesink"};
const std::vector<const char *> kToAnyOutput = {"filesrc",        "id3demux",     "mpegaudioparse",
                                                "mpg123audiodec", "audioconvert", "audioresample",
                                                "volume",         "autoaudiosink"};

GstElement *owned(GstElement *pipeline) {
    gst_object_ref_sink(pipeline);
    return pipeline;
}

} // namespace

// Made with its sound output opened (READY), so that a sound server that is
// not there is found now rather than at every song: then the chain goes to
// another output. Without one that opens, songs play in playbin (see
// PipelineBackend).
std::unique_ptr<SongPipeline> SongPipeline::mp3Chain() {
    if (!startEngine())
        return nullptr;
    for (const auto *kinds : {&kToPulse, &kToAnyOutput}) {
        auto chain = chainOf(*kinds);
        if (chain &&
            gst_element_set_state(chain->element(), GST_STATE_READY) != GST_STATE_CHANGE_FAILURE)
            return chain;
    }
    return nullptr;
}

std::unique_ptr<SongPipeline> SongPipeline::chainOf(const std::vector<const char *> &kinds) {
    GstElement *pipeline = owned(gst_pipeline_new(nullptr));
    std::vector<GstElement *> parts;
    for (const char *kind : kinds) {
        GstElement *part = gst_element_factory_make(kind, nullptr);
        if (!part || !gst_bin_add(GST_BIN(pipeline), part) ||
            (!parts.empty() && !gst_element_link(parts.back(), part))) {
            gst_object_unref(pipeline);
            return nullptr;
        }
        parts.push_back(part);
    }
    return std::unique_ptr<SongPipeline>(
        new SongPipeline(pipeline, parts.front(), parts[parts.size() - 2]));
}

std::unique_ptr<SongPipeline> SongPipeline::playbin() {
    if (!startEngine())
        return nullptr;
    GstElement *playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin)
        return nullptr;
    g_object_set(owned(playbin), "flags", kAudio | kSoftVolume, nullptr);
    return std::unique_ptr<SongPipeline>(new SongPipeline(playbin, nullptr, playbin));
}

SongPipeline::SongPipeline(GstElement *pipeline, GstElement *source, GstElement *volume)
    : m_pipeline(pipeline), m_source(source), m_volume(volume) {}

SongPipeline::~SongPipeline() {
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    gst_object_unref(m_pipeline);
}

void SongPipeline::setFile(const QByteArray &native) {
    if (m_source) {
        g_object_set(m_source, "location", native.constData(), nullptr);
        return;
    }
    gchar *uri = gst_filename_to_uri(native.constData(), nullptr);
    g_object_set(m_pipeline, "uri", uri, nullptr);
    g_free(uri);
}

void SongPipeline::setVolume(double volume) {
    g_object_set(m_volume, "volume", volume, nullptr);
}

} // namespace tv
