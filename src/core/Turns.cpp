#include "core/Turns.h"

#include "core/Forma.h"
#include "platform/Ports.h"

#include <QList>
#include <utility>

namespace tv {

namespace {

struct Queued {
    std::function<void()> command;
    Waiting waiting;
};

// Kept with the main window, so that a fresh window starts with no command.
class Turns : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    int held = 0;
    QList<Queued> queue;
};

Turns &turns() {
    Forma &f = frmForma();
    auto *t = f.findChild<Turns *>(QString(), Qt::FindDirectChildrenOnly);
    return t ? *t : *new Turns(&f);
}

void enqueue(Turns &t, std::function<void()> command, Waiting waiting) {
    if (waiting == Waiting::LatestOnly) {
        t.queue.removeIf([](const Queued &q) { return q.waiting == Waiting::LatestOnly; });
    }
    t.queue.append({std::move(command), waiting});
}

// The running command's own hold: it lets go without starting the next
// one, which the loop below does (also when the command threw).
struct Running {
    explicit Running(Turns &t) : turns(t) { ++turns.held; }
    ~Running() { --turns.held; }
    Turns &turns;
};

// The commands waiting, one after the other.
void drain(Turns &t) {
    while (t.held == 0 && !t.queue.isEmpty()) {
        const Queued next = t.queue.takeFirst();
        const Running running(t);
        next.command();
    }
}

} // namespace

void letEventsIn() {
    P().events->DoEvents();
}

void runCommand(std::function<void()> command, Waiting waiting) {
    Turns &t = turns();
    enqueue(t, std::move(command), waiting);
    if (t.held == 0)
        drain(t);
}

CommandsHeld::CommandsHeld() {
    ++turns().held;
}

// The last hold let go: what waited for it runs now.
CommandsHeld::~CommandsHeld() {
    Turns &t = turns();
    if (--t.held == 0)
        drain(t);
}

} // namespace tv

#include "Turns.moc"
