#pragma once

#include "platform/EventLoop.h"

#include <functional>

namespace tv {

class QtEventLoop : public EventLoop {
public:
    void DoEvents() override;
    // Ends the process right here with exit status 0. It is called from deep
    // inside the toolkit: a message box's or a menu's own loop, the tray
    // icon's mouse handler. Unwinding through them would run handlers after
    // shutdown, leave the main loop to start again with no window, and hand
    // the rest of a mouse event to the tray icon shutdown just removed.
    [[noreturn]] void endProcess() override;

    // Runs just before the process ends: what the system would otherwise
    // keep after the process (the one-copy lock).
    void setLastStep(std::function<void()> step) { m_lastStep = std::move(step); }

private:
    std::function<void()> m_lastStep;
};

} // namespace tv
