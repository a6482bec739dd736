#include "platform/qt/multimedia/EngineStart.h"

#include <gst/gst.h>

namespace tv {

namespace {

// Qt Multimedia plays through an input-selector that it syncs to the clock,
// and such a selector makes the whole pipeline count as live: the sound sink
// then places the first sound behind the latency it reports (0.13 s through
// the sound server). A file is never live, so the selector follows the
// file's own timeline instead, as a plain player's does.
gboolean onElementAdded(GSignalInvocationHint *, guint count, const GValue *values, gpointer) {
    if (count < 2)
        return TRUE;
    auto *element = static_cast<GstElement *>(g_value_get_object(&values[1]));
    GstElementFactory *factory = element ? gst_element_get_factory(element) : nullptr;
    if (factory && g_str_equal(GST_OBJECT_NAME(factory), "input-selector"))
        gst_util_set_object_arg(G_OBJECT(element), "sync-mode", "active-segment");
    return TRUE;
}

// Qt's device list also watches for cameras; the camera plugin probes the
// devices at every start, for a program that never shows a picture.
void leaveOutCameras() {
    if (GstPluginFeature *cameras =
            gst_registry_lookup_feature(gst_registry_get(), "v4l2deviceprovider")) {
        gst_plugin_feature_set_rank(cameras, GST_RANK_NONE);
        gst_object_unref(cameras);
    }
}

// What playing an MP3 through the sound server loads, loaded here ahead of
// the first song rather than one by one while it starts.
void loadPlugins() {
    const char *const names[] = {"coreelements", "playback",   "typefindfunctions", "id3demux",
                                 "audioparsers", "mpg123",     "audioconvert",      "audioresample",
                                 "volume",       "autodetect", "pulseaudio"};
    for (const char *name : names)
        if (GstPlugin *plugin = gst_plugin_load_by_name(name))
            gst_object_unref(plugin);
}

bool start() {
    if (!gst_init_check(nullptr, nullptr, nullptr))
        return false;
    // Held for good: the hook lives as long as the bins' signals.
    g_type_class_ref(GST_TYPE_BIN);
    g_signal_add_emission_hook(g_signal_lookup("element-added", GST_TYPE_BIN), 0, onElementAdded,
                               nullptr, nullptr);
    leaveOutCameras();
    loadPlugins();
    return true;
}

} // namespace

void startEngine() {
    static const bool started = start();
    static_cast<void>(started);
}

} // namespace tv
