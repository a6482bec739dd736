#include "ui/WhenOnScreen.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace tv::ui {

namespace {

// Waits for the window's first exposure; the toolkit paints it right then,
// and the step runs from the event loop after that.
class FirstExposure : public QObject {
public:
    FirstExposure(QWindow *window, std::function<void()> step)
        : QObject(window), m_window(window), m_step(std::move(step)) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override {
        if (event->type() == QEvent::Expose && m_window->isExposed()) {
            m_window->removeEventFilter(this);
            QTimer::singleShot(0, m_window, std::move(m_step));
            deleteLater();
        }
        return false;
    }

private:
    QWindow *m_window;
    std::function<void()> m_step;
};

} // namespace

void whenOnScreen(QWidget *window, std::function<void()> step) {
    QWindow *handle = window && window->isVisible() ? window->windowHandle() : nullptr;
    if (!handle || handle->isExposed()) {
        QTimer::singleShot(0, std::move(step));
        return;
    }
    handle->installEventFilter(new FirstExposure(handle, std::move(step)));
}

void waitOnScreen(QWidget *window, int maxMs) {
    QWindow *handle = window->isVisible() ? window->windowHandle() : nullptr;
    if (!handle || handle->isExposed())
        return;
    QEventLoop loop;
    QTimer::singleShot(maxMs, &loop, &QEventLoop::quit);
    whenOnScreen(window, [&loop] { loop.quit(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace tv::ui
