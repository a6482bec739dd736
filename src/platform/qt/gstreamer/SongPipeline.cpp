#include "platform/qt/gstreamer/SongPipeline.h"

#include "platform/qt/gstreamer/EngineStart.h"

#include <algorithm>
#include <utility>

namespace tv {

namespace {

// playbin's GstPlayFlags (its headers are private): sound only, its loudness
// set by a volume element of its own rather than by the sound server's stream,
// which the server may restore to what another program left there. The chain
// has such an element too.
constexpr guint kAudio = 1u << 1, kSoftVolume = 1u << 4;

// What reads and decodes one file of the chain: the file source first, its
// decoder last.
const std::vector<const char *> kBranch = {"filesrc", "id3demux", "mpegaudioparse",
                                           "mpg123audiodec"};

// The chain's output after the joint of the branches, the volume element next
// to last. PulseAudio's own sink (PipeWire serves it too) takes the decoder's
// samples at any rate, as they are; any other sink, chosen as autoaudiosink
// chooses, gets them converted.
const std::vector<const char *> kToPulse = {"concat", "volume", "pulsesink"};
const std::vector<const char *> kToAnyOutput = {"concat", "audioconvert", "audioresample", "volume",
                                                "autoaudiosink"};

// The first part gets the name given (an element in a bin cannot be renamed).
bool linkAll(GstElement *bin, const std::vector<const char *> &kinds,
             std::vector<GstElement *> *parts, const char *firstName = nullptr) {
    for (const char *kind : kinds) {
        GstElement *part = gst_element_factory_make(kind, parts->empty() ? firstName : nullptr);
        if (!part || !gst_bin_add(GST_BIN(bin), part) ||
            (!parts->empty() && !gst_element_link(parts->back(), part)))
            return false;
        parts->push_back(part);
    }
    return true;
}

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
    if (!linkAll(pipeline, kinds, &parts)) {
        gst_object_unref(pipeline);
        return nullptr;
    }
    std::unique_ptr<SongPipeline> chain(
        new SongPipeline(pipeline, parts.front(), parts[parts.size() - 2]));
    if (!chain->addBranch(QByteArray()))
        return nullptr;
    return chain;
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

// What the probe behind the joint keeps of the stream: touched only on the
// streaming thread.
struct SongPipeline::Watch {
    GstElement *pipeline;
    GstSegment segment;
    bool begun = false;
};

SongPipeline::SongPipeline(GstElement *pipeline, GstElement *concat, GstElement *volume)
    : m_pipeline(pipeline), m_concat(concat), m_volume(volume) {
    if (m_concat)
        watchBeginnings();
}

// The joint sends on a file's stream start, its segment (moved on by the
// files before it) and then its samples; the first of them tells when the
// file is heard.
void SongPipeline::watchBeginnings() {
    m_watch = std::make_unique<Watch>();
    m_watch->pipeline = m_pipeline;
    gst_segment_init(&m_watch->segment, GST_FORMAT_TIME);
    GstPad *out = gst_element_get_static_pad(m_concat, "src");
    const auto kinds =
        GstPadProbeType(GST_PAD_PROBE_TYPE_BUFFER | GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM);
    gst_pad_add_probe(
        out, kinds,
        [](GstPad *, GstPadProbeInfo *info, gpointer data) {
            auto *watch = static_cast<Watch *>(data);
            if (GstEvent *event = GST_PAD_PROBE_INFO_EVENT(info);
                event && (info->type & GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM)) {
                if (GST_EVENT_TYPE(event) == GST_EVENT_STREAM_START)
                    watch->begun = false;
                else if (GST_EVENT_TYPE(event) == GST_EVENT_SEGMENT)
                    gst_event_copy_segment(event, &watch->segment);
                return GST_PAD_PROBE_OK;
            }
            GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
            if (!buffer || std::exchange(watch->begun, true))
                return GST_PAD_PROBE_OK;
            const guint64 at = gst_segment_to_running_time(&watch->segment, GST_FORMAT_TIME,
                                                           GST_BUFFER_PTS(buffer));
            gst_element_post_message(
                watch->pipeline,
                gst_message_new_application(
                    GST_OBJECT(watch->pipeline),
                    gst_structure_new(kBegins, "running-time", G_TYPE_UINT64, at, nullptr)));
            return GST_PAD_PROBE_OK;
        },
        m_watch.get(), nullptr);
    gst_object_unref(out);
}

SongPipeline::~SongPipeline() {
    gst_element_set_state(m_pipeline, GST_STATE_NULL);
    gst_object_unref(m_pipeline);
}

void SongPipeline::setFile(const QByteArray &native) {
    if (!m_concat) {
        gchar *uri = gst_filename_to_uri(native.constData(), nullptr);
        g_object_set(m_pipeline, "uri", uri, nullptr);
        g_free(uri);
        return;
    }
    if (m_branches.size() == 1) {
        GstElement *source = gst_bin_get_by_name(GST_BIN(m_branches.front()), "file");
        g_object_set(source, "location", native.constData(), nullptr);
        gst_object_unref(source);
        return;
    }
    while (!m_branches.empty())
        removeBranch(m_branches.back());
    addBranch(native);
}

void SongPipeline::setVolume(double volume) {
    g_object_set(m_volume, "volume", volume, nullptr);
}

// A bin of its own, so that the branch comes and goes whole; linked to a new
// input of the joint, which holds it back until the branches before it ended.
GstElement *SongPipeline::addBranch(const QByteArray &native) {
    GstElement *branch = gst_bin_new(nullptr);
    std::vector<GstElement *> parts;
    if (!linkAll(branch, kBranch, &parts, "file")) {
        gst_object_unref(owned(branch));
        return nullptr;
    }
    if (!native.isEmpty())
        g_object_set(parts.front(), "location", native.constData(), nullptr);
    GstPad *decoded = gst_element_get_static_pad(parts.back(), "src");
    GstPad *out = gst_ghost_pad_new("src", decoded);
    gst_object_unref(decoded);
    gst_element_add_pad(branch, out);
    gst_bin_add(GST_BIN(m_pipeline), branch);
    GstPad *joint = gst_element_request_pad_simple(m_concat, "sink_%u");
    const bool linked = joint && gst_pad_link(out, joint) == GST_PAD_LINK_OK;
    if (joint)
        gst_object_unref(joint);
    m_branches.push_back(branch);
    if (!linked) {
        removeBranch(branch);
        return nullptr;
    }
    return branch;
}

// The joint's input goes first: a branch waiting there to begin holds its
// thread in it, which must be let go before the branch can stop.
void SongPipeline::removeBranch(GstElement *branch) {
    GstPad *out = gst_element_get_static_pad(branch, "src");
    if (GstPad *joint = gst_pad_get_peer(out)) {
        gst_pad_unlink(out, joint);
        gst_element_release_request_pad(m_concat, joint);
        gst_object_unref(joint);
    }
    gst_object_unref(out);
    gst_element_set_state(branch, GST_STATE_NULL);
    gst_bin_remove(GST_BIN(m_pipeline), branch);
    m_branches.erase(std::remove(m_branches.begin(), m_branches.end(), branch), m_branches.end());
}

GstPad *SongPipeline::activePad() const {
    GstPad *active = nullptr;
    g_object_get(m_concat, "active-pad", &active, nullptr);
    return active;
}

bool SongPipeline::linkNext(const QByteArray &native) {
    if (!m_concat)
        return false;
    GstElement *branch = addBranch(native);
    return branch && gst_element_sync_state_with_parent(branch);
}

bool SongPipeline::nextBegun() const {
    if (m_branches.size() < 2)
        return false;
    GstPad *out = gst_element_get_static_pad(m_branches.back(), "src");
    GstPad *joint = gst_pad_get_peer(out);
    GstPad *active = activePad();
    const bool begun = joint && joint == active;
    for (GstPad *pad : {out, joint, active})
        if (pad)
            gst_object_unref(pad);
    return begun;
}

bool SongPipeline::unlinkNext() {
    if (m_branches.size() < 2)
        return true;
    if (nextBegun())
        return false;
    removeBranch(m_branches.back());
    return true;
}

bool SongPipeline::fromNext(GstObject *source) const {
    return m_branches.size() > 1 && source &&
           gst_object_has_as_ancestor(source, GST_OBJECT(m_branches.back()));
}

void SongPipeline::dropFinished() {
    while (m_branches.size() > 1 && nextBegun())
        removeBranch(m_branches.front());
}

} // namespace tv
