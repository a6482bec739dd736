#pragma once

#include "core/ListModel.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace tv {

// The album-list window frmListAlbom as the logic sees it while it is shown:
// its list, its caption and whether the user picked an album. Each showing
// builds a fresh one (Form_Load); the widget binds to it and hands it its
// events. It hangs below the main window's model while it is shown, so that
// frmListAlbom() finds it; the widget owns it.
class ListAlbomModel : public QObject {
    Q_OBJECT
public:
    // Form_Load: the albums of lstAlbomy with its selection, the caption of
    // Label1 as it reads now.
    ListAlbomModel();

    ListBox List1;
    bool AlbomChosen = false;
    QString Caption() const { return m_caption; }

    // The user picks the selected album.
    void List1_DblClick();
    void List1_KeyDown();
    // Enter picks, Escape closes; each only when its key went down here.
    void List1_KeyUp(int keyCode);
    // Every close comes here, the close button too: Form_QueryUnload runs,
    // then the window goes. A second call does nothing.
    void unload();
    bool unloaded() const { return m_unloading; }

signals:
    void hideRequested();
    void unloadRequested();

private:
    void Form_QueryUnload();
    static void pick(QPointer<ListAlbomModel> self, int i, const QString &name);
    static void playChosen(const QString &name, bool openAlbum);

    QString m_caption;
    bool m_keyDown = false;
    bool m_picking = false;
    bool m_unloading = false;
};

// The album-list window while it is shown, else nullptr.
ListAlbomModel *frmListAlbom();
// The end of an album in the tray: the album-list window, modeless, unless
// it is shown already.
void frmListAlbom_Show();

// The tray menu's "Список альбомов": the main window with its own album list
// focused; the album-list window stays closed.
void pMenuListAlbom_Click();

} // namespace tv
