#pragma once

#include <QElapsedTimer>
#include <QString>

namespace tv {

// Long work done a slice at a time, so that the window keeps answering: at
// the end of each slice the main window's caption tells how far the work got
// and pending events run. An event may open another album meanwhile; the
// work begun on the album that was open then gives way.
class Slices {
public:
    Slices();
    ~Slices() { finish(); }
    Slices(const Slices &) = delete;
    Slices &operator=(const Slices &) = delete;

    // One more step: done items so far, of total (0: not known yet). False
    // once the work has to give way.
    bool step(qsizetype done, qsizetype total = 0);
    bool gaveWay() const { return m_gaveWay; }
    // Whether events ran: what the work looked at before may have changed.
    bool yielded() const { return m_yields > 0; }
    // The caption as it was, unless something else has set it meanwhile.
    void finish();

private:
    void yield(qsizetype done, qsizetype total);

    QElapsedTimer m_timer;
    int m_steps = 0;
    int m_yields = 0;
    bool m_gaveWay = false;
    // The open album's mark (core/OpenMark.h) when the work began.
    int m_album;
    QString m_caption;
    QString m_shown;
};

} // namespace tv
