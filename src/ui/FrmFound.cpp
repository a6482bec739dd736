#include "ui/FrmFound.h"

#include "playback/FoundModel.h"
#include "ui/Fonts.h"
#include "ui/ListBinding.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace tv::ui {

namespace {

QPushButton *makeButton(const QString &caption, const QRect &rect, QWidget *parent) {
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(rect);
    // Enter belongs to the text box and the list; it presses no button.
    button->setAutoDefault(false);
    return button;
}

} // namespace

FrmFound::FrmFound(FoundModel *model, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model) {
    setObjectName(QStringLiteral("frmFound"));
    setWindowTitle(QStringLiteral("Поиск"));
    setFixedSize(px(4905), px(6090));
    setFont(formFont(kPx825pt));
    createControls();
    bindModel();
    centreOnScreen(this);
}

void FrmFound::createControls() {
    auto *label = new QLabel(QStringLiteral("Текст:"), this);
    label->setGeometry(twipsRect(60, 120, 720, 240));
    m_text = new QLineEdit(this);
    m_text->setObjectName(QStringLiteral("Text1"));
    m_text->setGeometry(twipsRect(840, 60, 2775, 360));
    m_found = makeButton(QStringLiteral("Искать"), twipsRect(3720, 60, 1095, 375), this);

    m_list = new QListView(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(60, 480, 4755, 4620));
    // One row height for all: a hundred thousand results show at once.
    m_list->setUniformItemSizes(true);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);

    m_info = new QLabel(this);
    m_info->setObjectName(QStringLiteral("lblInfo"));
    m_info->setGeometry(twipsRect(120, 5160, 4755, 300));
    m_addAll = makeButton(QStringLiteral("Добавить всё"), twipsRect(840, 5520, 1935, 495), this);
    m_addFile = makeButton(QStringLiteral("Добавить файл"), twipsRect(2880, 5520, 1935, 495), this);

    setTabOrder(m_text, m_found);
    setTabOrder(m_found, m_list);
    setTabOrder(m_list, m_addAll);
    setTabOrder(m_addAll, m_addFile);
}

void FrmFound::bindModel() {
    FoundModel *model = m_model;
    bindListIndex(m_list, &model->List1);
    connect(model, &FoundModel::stateChanged, this, &FrmFound::showState);
    connect(m_text, &QLineEdit::textChanged, model, &FoundModel::Text1_Change);
    connect(m_found, &QPushButton::clicked, model, &FoundModel::kFound_Click);
    connect(m_list, &QListView::doubleClicked, model, &FoundModel::List1_DblClick);
    connect(m_addFile, &QPushButton::clicked, model, &FoundModel::KAddFile_Click);
    connect(m_addAll, &QPushButton::clicked, model, &FoundModel::kAddPapka_Click);

    auto *textKeys = new ListKeys(m_text);
    textKeys->keyUp = [model](int key) { model->Text1_KeyUp(key); };
    m_text->installEventFilter(textKeys);
    auto *listKeys = new ListKeys(m_list);
    listKeys->keyUp = [model](int key) { model->List1_KeyUp(key); };
    m_list->installEventFilter(listKeys);
    showState();
}

void FrmFound::showState() {
    const FoundState &s = m_model->state();
    showBusy(!s.Enabled);
    setEnabled(s.Enabled);
    m_found->setEnabled(s.kFound);
    m_addAll->setEnabled(s.kAddPapka);
    m_addFile->setEnabled(s.KAddFile);
    m_info->setText(s.lblInfo);
    if (s.Enabled && m_focus) {
        m_focus->setFocus();
        m_focus = nullptr;
    }
}

// While the window searches it takes no input and shows the wait cursor;
// the control that had the focus has it again afterwards.
void FrmFound::showBusy(bool busy) {
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy) {
        m_focus = QApplication::focusWidget();
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
    }
}

} // namespace tv::ui
