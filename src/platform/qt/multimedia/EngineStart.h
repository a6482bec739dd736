#pragma once

namespace tv {

// Makes the media engine ready to play at once: GStreamer started (its plugin
// registry read), the parts an MP3 needs loaded, and the engine set to start a
// file's sound without holding it back. Makes no Qt object, so it may run on
// any thread, also before the application object exists; the work is done
// once, and a call while it runs on another thread waits for it.
void startEngine();

} // namespace tv
