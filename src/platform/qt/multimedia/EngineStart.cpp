#include "platform/qt/multimedia/EngineStart.h"

#include <gst/gst.h>

namespace tv {

namespace {

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
