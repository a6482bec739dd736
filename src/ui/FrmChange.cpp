#include "ui/FrmChange.h"

#include "editing/ChangeModel.h"
#include "ui/Bitmaps.h"
#include "ui/Fonts.h"
#include "ui/ListBinding.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace tv::ui {

namespace {

QPushButton *makeButton(QWidget *parent, const QString &name, const QRect &rect) {
    auto *button = new QPushButton(parent);
    button->setObjectName(name);
    button->setGeometry(rect);
    button->setFont(formFont(kPx825pt));
    return button;
}

QPushButton *makeArrowButton(QWidget *parent, const QString &name, const QRect &rect, Arrow arrow) {
    QPushButton *button = makeButton(parent, name, rect);
    button->setIcon(QPixmap::fromImage(arrowPicture(arrow)));
    button->setIconSize(QSize(kArrowSize, kArrowSize));
    return button;
}

} // namespace

FrmChange::FrmChange(ChangeModel &model, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model) {
    setObjectName(QStringLiteral("frmChange"));
    setFixedSize(px(6255), px(3600));
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(224, 224, 224));
    grey.setColor(QPalette::Button, QColor(224, 224, 224));
    setPalette(grey);
    createControls();
    bindModel();
    centreOnScreen(this);
}

void FrmChange::createControls() {
    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(120, 60, 4455, 2940));
    m_list->setFont(formFont(kPx12pt));
    // One row height for all: an album of a hundred thousand songs opens at once.
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(twipsRect(120, 3120, 4455, 360));
    m_text->setFont(formFont(kPx12pt));

    m_up = makeArrowButton(this, QStringLiteral("kUP"), twipsRect(5040, 120, 735, 645), Arrow::Up);
    m_down =
        makeArrowButton(this, QStringLiteral("kDOWN"), twipsRect(5040, 960, 735, 645), Arrow::Down);
    m_change = makeButton(this, QStringLiteral("kChange"), twipsRect(4680, 1800, 1455, 495));
    m_ok = makeButton(this, QStringLiteral("kOK"), twipsRect(4680, 2400, 1455, 495));
    m_ok->setText(QStringLiteral("OK"));
    m_cancel = makeButton(this, QStringLiteral("kCancel"), twipsRect(4680, 3000, 1455, 495));

    setTabOrder(m_text, m_up);
    setTabOrder(m_up, m_down);
    setTabOrder(m_down, m_change);
    setTabOrder(m_change, m_ok);
    setTabOrder(m_ok, m_cancel);
    setTabOrder(m_cancel, m_list);
    m_text->setFocus();
}

void FrmChange::bindModel() {
    ChangeModel &m = m_model;
    setWindowTitle(m.Caption());
    m_change->setText(m.kChangeCaption());
    m_cancel->setText(m.kCancelCaption());

    bindListIndex(m_list, &m);
    auto *listKeys = new ListKeys(m_list);
    listKeys->keyUp = [&m](int keyCode) { m.List1_KeyUp(keyCode); };
    m_list->installEventFilter(listKeys);

    m_text->setText(m.Text1());
    m_text->installEventFilter(this);
    connect(m_text, &QLineEdit::textChanged, &m, &ChangeModel::setText1);
    connect(&m, &ChangeModel::text1Changed, m_text, [this](const QString &text) {
        if (m_text->text() != text)
            m_text->setText(text);
    });

    connect(m_up, &QPushButton::clicked, &m, &ChangeModel::kUP_Click);
    connect(m_down, &QPushButton::clicked, &m, &ChangeModel::kDOWN_Click);
    connect(m_change, &QPushButton::clicked, &m, &ChangeModel::kChange_Click);
    connect(m_ok, &QPushButton::clicked, &m, &ChangeModel::kOK_Click);
    connect(m_cancel, &QPushButton::clicked, &m, &ChangeModel::kCancel_Click);
    connect(&m, &ChangeModel::buttonsChanged, this, &FrmChange::showButtons);
    connect(&m, &ChangeModel::unloadRequested, this,
            [this](bool applied) { done(applied ? Accepted : Rejected); });
    showButtons();
}

void FrmChange::showButtons() {
    m_change->setEnabled(m_model.kChangeEnabled());
    m_change->setDefault(m_model.kChangeDefault());
    m_ok->setEnabled(m_model.kOKEnabled());
}

bool FrmChange::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_text && Text1_Event(event))
        return true;
    return QDialog::eventFilter(watched, event);
}

// The text box's events for the model; true when the event is swallowed.
bool FrmChange::Text1_Event(QEvent *event) {
    switch (event->type()) {
    case QEvent::FocusIn:
        m_model.Text1_GotFocus();
        return false;
    case QEvent::FocusOut:
        m_model.Text1_LostFocus();
        return false;
    case QEvent::KeyPress:
        return m_model.Text1_KeyDown(vbKeyCode(static_cast<QKeyEvent *>(event)->key()));
    case QEvent::KeyRelease: {
        auto *key = static_cast<QKeyEvent *>(event);
        if (!key->isAutoRepeat())
            m_model.Text1_KeyUp(vbKeyCode(key->key()));
        return false;
    }
    default:
        return false;
    }
}

void FrmChange::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tv::ui
