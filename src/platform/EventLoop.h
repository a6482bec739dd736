#pragma once

namespace tv {

// The event loop: let pending window events run, and end the process.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual void DoEvents() = 0;
    // Ends the run at once: no further window events are handled.
    virtual void endProcess() = 0;
};

} // namespace tv
