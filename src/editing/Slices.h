#pragma once

#include <QElapsedTimer>
#include <QString>

namespace tv {

// Long work done a slice at a time, so that the window keeps answering: at
// the end of each slice the main window's caption tells how far the work got
// and pending events run. The work runs as a command, so the album it began
// on stays open meanwhile; its songs may still be edited.
class Slices {
public:
    Slices();
    ~Slices() { finish(); }
    Slices(const Slices &) = delete;
    Slices &operator=(const Slices &) = delete;

    // One more step: done items so far, of total (0: not known yet).
    void step(qsizetype done, qsizetype total = 0);
    // The caption as it was, unless something else has set it meanwhile.
    void finish();

private:
    void yield(qsizetype done, qsizetype total);

    QElapsedTimer m_timer;
    int m_steps = 0;
    QString m_caption;
    QString m_shown;
};

} // namespace tv
