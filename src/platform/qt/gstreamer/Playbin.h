#pragma once

#include <gst/gst.h>

namespace tv {

// Builds the pipeline a song plays in, with its sound output, and takes it to
// READY: the output then has its connection to the sound server, which the
// first song would otherwise wait for. Runs on the thread that prepares the
// engine, before the window's thread asks for the pipeline.
void preparePlaybin();

// The pipeline prepared ahead, or a fresh one when there is none (any
// engine after the first); null when GStreamer cannot make one. The caller
// owns it.
GstElement *takePlaybin();

} // namespace tv
