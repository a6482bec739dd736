#pragma once

#include <gst/gst.h>

namespace tv {

// The pipeline a song plays in, with its sound output: a playbin for sound
// alone. Null when GStreamer cannot make one (its base plugins missing); the
// caller owns it.
GstElement *makePlaybin();

} // namespace tv
