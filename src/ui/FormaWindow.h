#pragma once

#include "ui/FormaMenus.h"

#include <QMainWindow>

class QLabel;
class QListView;

namespace tv::ui {

class PictureBox;
class TitlePanel;
class BannerView;

// The widget of the main window frmForma: every control at its place of the
// design, bound to the logic's model of the window. It holds no rules; its
// events go to the handlers of the logic.
class FormaWindow : public QMainWindow {
    Q_OBJECT
public:
    // playerBar: the player's own control bar, placed at MediaPlayer1's spot;
    // without one an empty frame marks the spot.
    explicit FormaWindow(QWidget *playerBar = nullptr, QWidget *parent = nullptr);
    ~FormaWindow() override;

    QListView *lstAlbomy() const { return m_lstAlbomy; }
    QListView *PlayList() const { return m_playList; }
    QLabel *Label1() const { return m_label1; }
    BannerView *usrReklamaX1() const { return m_banner; }
    QWidget *MediaPlayer1() const { return m_mediaPlayer; }
    TitlePanel *picPanel() const { return m_picPanel; }
    PictureBox *picPobeda() const { return m_picPobeda; }
    const FormaMenus &menus() const { return m_menus; }
    // The popup the tray icon opens.
    QMenu *pMenu() const { return m_menus.pMenu; }

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void createControls(QWidget *client, QWidget *playerBar);
    void createLists(QWidget *client);
    void bindForma();
    void applyVisible(bool visible);

    QListView *m_lstAlbomy = nullptr;
    QListView *m_playList = nullptr;
    QLabel *m_label1 = nullptr;
    BannerView *m_banner = nullptr;
    QWidget *m_mediaPlayer = nullptr;
    TitlePanel *m_picPanel = nullptr;
    PictureBox *m_picPobeda = nullptr;
    FormaMenus m_menus;
    bool m_shownOnce = false;
};

} // namespace tv::ui
