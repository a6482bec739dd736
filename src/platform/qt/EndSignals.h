#pragma once

#include <QObject>

class QSocketNotifier;

namespace tv {

// SIGTERM and SIGHUP (a logout, `kill`, a closed terminal) end the run as a
// close does. The handler only writes a byte to a pipe of the process's own;
// the event loop reads it and says so, once.
class EndSignals : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject *parent = nullptr);
    ~EndSignals() override;

signals:
    void endRequested();

private:
    void heard();

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace tv
