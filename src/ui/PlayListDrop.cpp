#include "ui/PlayListDrop.h"

#include "core/Globals.h"
#include "editing/DropFiles.h"
#include "platform/Ports.h"

#include <QAbstractItemView>
#include <QDropEvent>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include <algorithm>

namespace tv::ui {

namespace {

// The lettered paths of the dropped local files; those no drive holds are
// left out.
QStringList droppedPaths(const QMimeData *data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString path = P().fs->fromNative(url.toLocalFile());
        if (!path.isEmpty())
            paths.append(path);
    }
    return paths;
}

// Asked on every move of the pointer: the first local file settles it.
bool hasLocalFile(const QMimeData *data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl &url) { return url.isLocalFile(); });
}

} // namespace

void PlayListDrop::install(QAbstractItemView *view) {
    view->setAcceptDrops(true);
    view->viewport()->setAcceptDrops(true);
    view->viewport()->installEventFilter(new PlayListDrop(view));
}

bool PlayListDrop::eventFilter(QObject *watched, QEvent *event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (!hasLocalFile(drag->mimeData()))
            drag->ignore();
        else
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList paths = droppedPaths(drop->mimeData());
        if (paths.isEmpty())
            return true;
        drop->acceptProposedAction();
        // The file manager has its answer at once; a long drop then goes on
        // while the window keeps answering.
        QTimer::singleShot(0, this,
                           [paths, namePesni = G().NamePesni] { DropFilesM(paths, namePesni); });
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

} // namespace tv::ui
