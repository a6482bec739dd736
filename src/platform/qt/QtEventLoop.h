#pragma once

#include "platform/EventLoop.h"

namespace tv {

class QtEventLoop : public EventLoop {
public:
    void DoEvents() override;
    void endProcess() override;
    bool ended() const { return m_ended; }

private:
    bool m_ended = false;
};

} // namespace tv
