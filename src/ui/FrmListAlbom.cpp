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
    setAttribute(Qt::WA_DeleteOnClose);
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
    delete m_model.data();
}

void FrmListAlbom::bindModel() {
    ListAlbomModel *model = m_model.data();
    setWindowTitle(model->Caption());
    bindListIndex(m_list, &model->List1);
    connect(m_list, &QListView::doubleClicked, model, &ListAlbomModel::List1_DblClick);
    auto *keys = new ListKeys(m_list);
    keys->keyDown = [model = m_model] {
        if (model)
            model->List1_KeyDown();
    };
    keys->keyUp = [model = m_model](int key) {
        if (model)
            model->List1_KeyUp(key);
    };
    m_list->installEventFilter(keys);
    connect(model, &ListAlbomModel::hideRequested, this, &QWidget::hide);
    connect(model, &ListAlbomModel::unloadRequested, this, &QWidget::close);
    // The main window's model went (a new one in tests): so does this window.
    connect(model, &QObject::destroyed, this, &QWidget::close);
}

// Form_Activate: the keys go to the list at once.
void FrmListAlbom::showEvent(QShowEvent *event) {
    QWidget::showEvent(event);
    activateWindow();
    m_list->setFocus();
}

void FrmListAlbom::closeEvent(QCloseEvent *event) {
    if (m_model)
        m_model->unload();
    event->accept();
}

} // namespace tv::ui
