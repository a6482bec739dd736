#pragma once

#include <QObject>

class QAbstractItemView;

namespace tv::ui {

// Lets files dropped from a file manager onto the playlist join the album:
// only local files are taken, as the program reaches no others.
class PlayListDrop : public QObject {
    Q_OBJECT
public:
    // Watches the view's viewport, where the drag events land.
    static void install(QAbstractItemView *view);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit PlayListDrop(QObject *parent) : QObject(parent) {}
};

} // namespace tv::ui
