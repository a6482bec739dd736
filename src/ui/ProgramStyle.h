#pragma once

#include <QProxyStyle>

namespace tv::ui {

// The toolkit's own style, but for the arrow a menu bar or tool bar shows when
// its items do not fit: that one is loaded when it is first drawn. Qt names it
// as a picture file, and finding the reader for a file has Qt load every image
// plugin it has (GIF, ICO, JPEG and its library), about a millisecond on the
// way to the first window, for an arrow the main window's fixed width rarely
// shows.
class ProgramStyle : public QProxyStyle {
public:
    // The style of the given name (the one the desktop or the user chose).
    explicit ProgramStyle(const QString &base) : QProxyStyle(base) {}
    QIcon standardIcon(StandardPixmap which, const QStyleOption *option,
                       const QWidget *widget) const override;
};

} // namespace tv::ui
