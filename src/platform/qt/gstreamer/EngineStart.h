#pragma once

namespace tv {

// Makes the media engine ready to play at once: GStreamer started (its plugin
// registry read) and the parts an MP3 needs loaded. Makes no Qt object, so it
// may run on any thread, also before the application object exists; the work
// is done once, and a call while it runs on another thread waits for it.
// Whether GStreamer could be started.
bool startEngine();

} // namespace tv
