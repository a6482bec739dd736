#include "platform/qt/gstreamer/EngineStart.h"

#include <gst/gst.h>

namespace tv {

namespace {

// What playing an MP3 through the sound server loads, loaded here ahead of
// the first song rather than one by one while it starts (see SongPipeline).
// What playbin or another sound output needs is loaded when they are made.
// The type finders are left to the first song too: the tag remover loads them
// on the pipeline's thread while the window's thread goes on, which brings
// the first sound sooner than waiting for them here.
void loadPlugins() {
    const char *const names[] = {"coreelements", "id3demux", "audioparsers",
                                 "mpg123",       "volume",   "pulseaudio"};
    for (const char *name : names)
        if (GstPlugin *plugin = gst_plugin_load_by_name(name))
            gst_object_unref(plugin);
}

bool start() {
    if (!gst_init_check(nullptr, nullptr, nullptr))
        return false;
    loadPlugins();
    return true;
}

} // namespace

bool startEngine() {
    static const bool started = start();
    return started;
}

} // namespace tv
