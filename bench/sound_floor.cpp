// The floor of the start-up bench's first sound: the bare engine the program
// plays through (GStreamer's general player, playbin, to the default sound
// output) playing one file from a fresh process, until it is ended. The
// program plays MP3 files through a shorter chain of its own; the goal was
// set against this floor, which stays. Run: tonvela_sound_floor FILE

#include <gst/gst.h>

int main(int argc, char **argv) {
    gst_init(&argc, &argv);
    if (argc < 2)
        return 2;
    GstElement *player = gst_element_factory_make("playbin", nullptr);
    gchar *uri = gst_filename_to_uri(argv[1], nullptr);
    if (!player || !uri)
        return 1;
    g_object_set(player, "uri", uri, nullptr);
    g_free(uri);
    if (gst_element_set_state(player, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return 1;
    g_main_loop_run(g_main_loop_new(nullptr, FALSE));
    return 0;
}
