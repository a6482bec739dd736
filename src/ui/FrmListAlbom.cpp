#include "ui/FrmListAlbom.h"

#include "playback/ListAlbomModel.h"
#include "ui/Fonts.h"
#include "ui/ListBinding.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QCloseEvent>
#include <QListView>

namespace tv::ui {

namespace {

constexpr int kClientWidth = 4590;
constexpr int kClientHeight = 5460;

} // namespace

void SetForm(QWidget *window, bool topmost) {
    window->setWindowFlag(Qt::WindowStaysOnTopHint, topmost);
}

// A tool window: a fixed frame with a close box only, and no button of its
// own in the task bar.
FrmListAlbom::FrmListAlbom(ListAlbomModel *model)
    : QWidget(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                           Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model) {
    setObjectName(QStringLiteral("frmListAlbom"));
    SetForm(this, true);
    setFixedSize(px(kClientWidth), px(kClientHeight));
    setFont(formFont(kPx825pt));

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(60, 60, 4455, 5340));
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    bindModel();
    centreOnScreen(this);
}

FrmListAlbom::~FrmListAlbom() {
    if (m_model) {
        disconnect(m_model, nullptr, this, nullptr);
        delete m_model.data();
    }
}

void FrmListAlbom::bindModel() {
    ListAlbomModel *model = m_model.data();
    setWindowTitle(model->Caption());
    bindListIndex(m_list, &model->List1);
    connect(m_list, &QListView::doubleClicked, this,
            [this] { call([](ListAlbomModel &m) { m.List1_DblClick(); }); });
    auto *keys = new ListKeys(m_list);
    keys->keyDown = [this] { call([](ListAlbomModel &m) { m.List1_KeyDown(); }); };
    keys->keyUp = [this](int key) { call([key](ListAlbomModel &m) { m.List1_KeyUp(key); }); };
    m_list->installEventFilter(keys);
    connect(model, &ListAlbomModel::hideRequested, this, &QWidget::hide);
    connect(model, &ListAlbomModel::unloadRequested, this, &FrmListAlbom::unloaded);
    // The main window's model went (a new one in tests): so does this window.
    connect(model, &QObject::destroyed, this, &FrmListAlbom::unloaded);
}

// The model lets pending events run, and the toolkit may then carry out a
// deferred deletion even while the event that called the model is still
// being delivered to this window. So the window goes only once no call into
// the model is under way.
void FrmListAlbom::call(const std::function<void(ListAlbomModel &)> &handler) {
    ++m_calls;
    if (m_model)
        handler(*m_model);
    --m_calls;
    if (m_unloaded && m_calls == 0)
        deleteLater();
}

void FrmListAlbom::unloaded() {
    hide();
    if (m_unloaded)
        return;
    m_unloaded = true;
    if (m_calls == 0)
        deleteLater();
}

// Form_Activate: the keys go to the list at once.
void FrmListAlbom::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    activateWindow();
    m_list->setFocus();
}

// Some window managers offer to minimise any window. Minimised, this one
// would have no button to come back by and would block the next offer of
// the list, so it stays as it is.
void FrmListAlbom::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
}

// The close box: the model decides what the close means, then the window goes.
void FrmListAlbom::closeEvent(QCloseEvent *event) {
    event->accept();
    if (m_model && !m_model->unloaded())
        call([](ListAlbomModel &m) { m.unload(); });
    else
        unloaded();
}

} // namespace tv::ui
