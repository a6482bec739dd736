#include "editing/Slices.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Turns.h"
#include "platform/Ports.h"

namespace tv {

namespace {

// Short enough that the window answers at once to the eye; a step count
// bounds a slice too, so that slow steps cannot stretch it unseen.
constexpr qint64 kSliceMs = 25;
constexpr int kSliceSteps = 1000;

} // namespace

Slices::Slices() : m_caption(frmForma().Caption()) {
    m_timer.start();
}

void Slices::step(qsizetype done, qsizetype total) {
    if (++m_steps >= kSliceSteps || m_timer.hasExpired(kSliceMs))
        yield(done, total);
}

void Slices::yield(qsizetype done, qsizetype total) {
    QString progress = G().strAdding + QLatin1Char(' ') + QString::number(done);
    if (total > 0)
        progress += QStringLiteral(" / ") + QString::number(total);
    m_shown = m_caption + QStringLiteral(" - ") + progress;
    frmForma().setCaption(m_shown);
    letEventsIn();
    m_steps = 0;
    m_timer.restart();
}

void Slices::finish() {
    if (!m_shown.isEmpty() && frmForma().Caption() == m_shown)
        frmForma().setCaption(m_caption);
    m_shown.clear();
}

} // namespace tv
