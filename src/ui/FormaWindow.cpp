#include "ui/FormaWindow.h"

#include "core/AlbumCommands.h"
#include "core/Forma.h"
#include "core/Shutdown.h"
#include "playback/PlayerCommands.h"
#include "ui/BannerView.h"
#include "ui/Bitmaps.h"
#include "ui/Fonts.h"
#include "ui/ListBinding.h"
#include "ui/PictureBox.h"
#include "ui/PlayListDrop.h"
#include "ui/TitlePanel.h"
#include "ui/Twips.h"
#include "ui/WhenOnScreen.h"

#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QListView>
#include <QMenuBar>

namespace tv::ui {

namespace {

constexpr int kClientWidth = 11910;
constexpr int kClientHeight = 7530;
// How long the first show waits for the window manager to map the window.
constexpr int kFirstShowMs = 1000;

QListView *makeList(QWidget *parent, const QRect &rect) {
    auto *view = new QListView(parent);
    view->setGeometry(rect);
    view->setFont(formFont(kPx12pt));
    // One row height for all: a hundred thousand songs scroll and rebuild at once.
    view->setUniformItemSizes(true);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return view;
}

QLabel *makeLabel1(QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setGeometry(twipsRect(60, 1140, 4740, 315));
    label->setFont(formFont(kPx12pt));
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, Qt::white);
    label->setPalette(palette);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QWidget *placePlayerBar(QWidget *client, QWidget *playerBar) {
    if (!playerBar) {
        auto *frame = new QFrame(client);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        playerBar = frame;
    }
    playerBar->setParent(client);
    playerBar->setGeometry(twipsRect(4860, 1140, 6960, 1050));
    return playerBar;
}

} // namespace

FormaWindow::FormaWindow(QWidget *playerBar, QWidget *parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmForma"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setWindowIcon(QIcon(QPixmap::fromImage(programIcon())));
    menuBar()->setNativeMenuBar(false);

    auto *client = new QWidget(this);
    client->setFixedSize(px(kClientWidth), px(kClientHeight));
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    createControls(client, playerBar);
    m_menus = buildFormaMenus(this);
    bindForma();
}

FormaWindow::~FormaWindow() = default;

void FormaWindow::createControls(QWidget *client, QWidget *playerBar) {
    createLists(client);
    m_banner = new BannerView(client);
    m_banner->setGeometry(twipsRect(0, 0, 11895, 1095));
    m_label1 = makeLabel1(client);
    m_mediaPlayer = placePlayerBar(client, playerBar);
    // The title panel lies over the lower edge of the player's bar.
    m_picPanel = new TitlePanel(client);
    m_picPanel->setGeometry(twipsRect(4860, 1725, 6960, 465));
    m_picPanel->raise();
    m_picPobeda = new PictureBox(ornamentStrip(), client);
    m_picPobeda->setGeometry(twipsRect(60, 7200, 11760, 300));
    m_picPobeda->setEnabled(false);

    setTabOrder(m_playList, m_mediaPlayer);
    setTabOrder(m_mediaPlayer, m_lstAlbomy);
}

void FormaWindow::createLists(QWidget *client) {
    Forma &f = frmForma();
    m_playList = makeList(client, twipsRect(4860, 2220, 6960, 4860));
    m_playList->setObjectName(QStringLiteral("PlayList"));
    bindListIndex(m_playList, &f.PlayList);
    connect(m_playList, &QListView::doubleClicked, this, [] { PlayList_DblClick(); });
    auto *playKeys = new ListKeys(m_playList);
    playKeys->keyDown = PlayList_KeyDown;
    playKeys->keyUp = PlayList_KeyUp;
    m_playList->installEventFilter(playKeys);
    PlayListDrop::install(m_playList);

    m_lstAlbomy = makeList(client, twipsRect(60, 1500, 4740, 5460));
    m_lstAlbomy->setObjectName(QStringLiteral("lstAlbomy"));
    bindListIndex(m_lstAlbomy, &f.lstAlbomy);
    connect(m_lstAlbomy, &QListView::doubleClicked, this, [] { lstAlbomy_DblClick(); });
    auto *albumKeys = new ListKeys(m_lstAlbomy);
    albumKeys->keyPress = lstAlbomy_KeyPress;
    albumKeys->keyUp = lstAlbomy_KeyUp;
    m_lstAlbomy->installEventFilter(albumKeys);
}

void FormaWindow::bindForma() {
    Forma &f = frmForma();
    auto caption = [this, &f] { setWindowTitle(f.Caption()); };
    auto label1 = [this, &f] { m_label1->setText(f.Label1()); };
    auto nazvanie = [this, &f] { m_picPanel->picNazvanie->setText(f.nazvanie()); };
    auto buttons = [this, &f] {
        m_picPanel->pPlay->setVisibleMembers(f.pPlay.visible1, f.pPlay.visible2);
        m_picPanel->pPause->setVisibleMembers(f.pPause.visible1, f.pPause.visible2);
    };
    connect(&f, &Forma::captionChanged, this, caption);
    connect(&f, &Forma::label1Changed, this, label1);
    connect(&f, &Forma::nazvanieChanged, this, nazvanie);
    connect(&f, &Forma::pictureButtonsChanged, this, buttons);
    caption();
    label1();
    nazvanie();
    buttons();

    connect(m_picPanel->pPlay, &PictureButtonStack::clicked, this, pPlay_Click);
    connect(m_picPanel->pPause, &PictureButtonStack::clicked, this, pPause_Click);

    connect(&f, &Forma::visibilityRequested, this, &FormaWindow::applyVisible);
    connect(&f, &Forma::activateRequested, this, [this] {
        if (isMinimized())
            setWindowState(windowState() & ~Qt::WindowMinimized);
        raise();
        activateWindow();
    });
    connect(&f, &Forma::focusRequested, this, [this](Forma::Control control) {
        (control == Forma::Control::PlayList ? m_playList : m_lstAlbomy)->setFocus();
    });
    connect(&f, &Forma::unloadRequested, this, &QWidget::close);
}

// Hidden by minimising, it comes back in the normal state, lifted just
// before the window shows. Shown while still minimised, it would be mapped
// iconified first and then restored; a report of that iconified state read
// late (on a busy machine) minimises it again, and so hides it to the tray
// for good.
void FormaWindow::applyVisible(bool visible) {
    if (visible && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    setVisible(visible);
    if (visible && !m_shownOnce) {
        m_shownOnce = true;
        waitOnScreen(this, kFirstShowMs);
    }
}

void FormaWindow::closeEvent(QCloseEvent *event) {
    bool cancel = false;
    Form_QueryUnload(&cancel);
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void FormaWindow::changeEvent(QEvent *event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // When this hides the window to the tray, it is put back into the normal
    // state as it is shown again (applyVisible).
    (void)Form_Resize(windowState() & Qt::WindowMinimized);
}

void FormaWindow::showEvent(QShowEvent *event) {
    QMainWindow::showEvent(event);
    frmForma().noteVisible(isVisible());
}

void FormaWindow::hideEvent(QHideEvent *event) {
    QMainWindow::hideEvent(event);
    frmForma().noteVisible(isVisible());
}

} // namespace tv::ui
