#include "ui/Placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

namespace tv::ui {

void centreOnScreen(QWidget *window) {
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    window->adjustSize();
    const QRect area = screen->availableGeometry();
    // The frame is not known before the window manager has decorated the
    // window; the title bar's height is the style's best guess.
    const int titleBar = window->style()->pixelMetric(QStyle::PM_TitleBarHeight);
    const QSize size = window->size() + QSize(0, titleBar);
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace tv::ui
