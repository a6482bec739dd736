#pragma once

namespace tv {

// The event loop: let pending window events run, and end the process.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual void DoEvents() = 0;
    // Ends the process at once, exit status 0: no further handler runs, and
    // nothing of what called it is returned to.
    virtual void endProcess() = 0;
};

} // namespace tv
