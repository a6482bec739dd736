#include "WindowKit.h"

#include <QDropEvent>
#include <QListView>
#include <QMimeData>
#include <QUrl>

using namespace tv;
using namespace tv::test;

namespace {

// Sends a drag-enter and a drop of the urls to the playlist, as a file
// manager's drag does; true when the playlist took the drag.
bool drop(QListView *view, const QList<QUrl> &urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPoint at = view->viewport()->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent dropped(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &dropped);
    return dropped.isAccepted();
}

} // namespace

class TestPlayListDrop : public QObject {
    Q_OBJECT
    std::unique_ptr<WindowEnv> m;

    QUrl file(const QString &lettered) {
        return QUrl::fromLocalFile(m->env.drives.native(lettered));
    }

private slots:
    void init() {
        m = std::make_unique<WindowEnv>();
        TempDrives &d = m->env.drives;
        d.put("C:/Drop/b.mp3");
        d.put("C:/Drop/a.mp3");
        d.put("C:/Drop/cover.jpg");
        d.put("C:/Drop/Sub/c.mp3");
        d.put("C:/One/z.mp3");
        d.put("C:/One/list.m3u8", "#EXTM3U\n../Drop/Sub/c.mp3\nhttp://x/y.mp3\ngone.mp3\nz.mp3\n");
        G().NamePesni = 1;
        frmForma().PlayList.rebuild();
        G().AlbomChanged = 0;
    }
    void cleanup() { m.reset(); }

    // Files, a folder tree and a playlist land in the album in one drop;
    // what the album holds already and the drop's repeats are not added twice.
    void droppedFilesJoinThePlaylist() {
        QListView *view = m->window.PlayList();
        QVERIFY(drop(view, {file("C:/One/z.mp3"), file("C:/Drop"), file("C:/One/list.m3u8")}));
        // The drop is answered before the files are walked.
        QCOMPARE(playListRows(), QStringList());
        QTRY_COMPARE(playListRows(), QStringList({"1.z", "2.a", "3.b", "4.c"}));
        QCOMPARE(frmForma().ListPath.at(1), QString("aC:/Drop/a.mp3"));
        QCOMPARE(view->model()->rowCount(), 4);
        QCOMPARE(G().AlbomChanged, 1);
    }

    // Web addresses are not taken: the program reaches only local files.
    void webAddressesAreRefused() {
        QVERIFY(!drop(m->window.PlayList(), {QUrl("https://example.com/a.mp3")}));
        QCOMPARE(playListRows(), QStringList());
        QCOMPARE(G().AlbomChanged, 0);
    }
};

QTEST_MAIN(TestPlayListDrop)
#include "tst_playlistdrop.moc"
