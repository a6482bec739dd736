#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <gst/gst.h>
#include <memory>
#include <mutex>

namespace tv {

// Carries the pipeline's messages from its own threads to the window's
// thread, where every decision is taken. A message is tagged with the file
// it belongs to (the generation): a report of a file given up on, still
// under way when the next came, is not heard. The bus owns the relay (it may
// outlive the engine); the engine cuts it off before it goes.
class BusRelay {
public:
    using Message = std::shared_ptr<GstMessage>;
    using Deliver = std::function<void(const Message &, quint64 generation)>;

    BusRelay(QObject *target, Deliver deliver) : m_target(target), m_deliver(std::move(deliver)) {}

    // Only what the engine acts on crosses over: the pipeline reports much more.
    static GstBusSyncReply onBus(GstBus *, GstMessage *message, gpointer data) {
        switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_EOS:
        case GST_MESSAGE_ERROR:
        case GST_MESSAGE_ASYNC_DONE:
        case GST_MESSAGE_DURATION_CHANGED:
        case GST_MESSAGE_APPLICATION:
            (*static_cast<std::shared_ptr<BusRelay> *>(data))->post(message);
            break;
        default:
            break;
        }
        return GST_BUS_DROP;
    }
    static void release(gpointer data) { delete static_cast<std::shared_ptr<BusRelay> *>(data); }

    // The reports from now on belong to the next file.
    quint64 nextFile() {
        const std::lock_guard<std::mutex> hold(m_lock);
        return ++m_generation;
    }
    quint64 generation() const { return m_generation; }
    void cutOff() {
        const std::lock_guard<std::mutex> hold(m_lock);
        m_target = nullptr;
    }

private:
    void post(GstMessage *message) {
        const std::lock_guard<std::mutex> hold(m_lock);
        if (!m_target)
            return;
        Message held(gst_message_ref(message), gst_message_unref);
        QMetaObject::invokeMethod(
            m_target,
            [deliver = m_deliver, held, generation = quint64(m_generation)] {
                deliver(held, generation);
            },
            Qt::QueuedConnection);
    }

    std::mutex m_lock;
    QObject *m_target;
    const Deliver m_deliver;
    std::atomic<quint64> m_generation{0};
};

} // namespace tv
