#include "ui/FrmNewDisk.h"

#include "editing/NewDiskModel.h"
#include "ui/Fonts.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace tv::ui {

namespace {

// The labels' places are sized for the Russian words; a longer word ("With")
// grows to the left, so that it still ends just before its box.
void placeLabel(QLabel *label, const QRect &place) {
    const int wanted = label->fontMetrics().horizontalAdvance(label->text()) + 2;
    QRect rect = place;
    if (wanted > rect.width())
        rect.setLeft(std::max(2, rect.right() + 1 - wanted));
    label->setGeometry(rect);
}

const QRect kLabelPlaces[2] = {twipsRect(360, 150, 195, 300), twipsRect(1560, 150, 315, 300)};

} // namespace

FrmNewDisk::FrmNewDisk(NewDiskModel &model, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model) {
    setObjectName(QStringLiteral("frmNewDisk"));
    setFixedSize(px(2745), px(1275));
    createControls();
    bindModel();
    centreOnScreen(this);
}

void FrmNewDisk::createControls() {
    const QRect boxes[2] = {twipsRect(600, 120, 495, 420), twipsRect(1920, 120, 495, 420)};
    for (int i = 0; i < 2; ++i) {
        m_labels[i] = new QLabel(this);
        m_labels[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        m_labels[i]->setFont(formFont(kPx825pt));
        m_labels[i]->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_texts[i] = new QLineEdit(this);
        m_texts[i]->setObjectName(QStringLiteral("Text1_%1").arg(i));
        m_texts[i]->setGeometry(boxes[i]);
        m_texts[i]->setFont(formFont(kPx12pt));
        m_texts[i]->setMaxLength(1);
        m_texts[i]->setAlignment(Qt::AlignCenter);
    }
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("kOK"));
    m_ok->setGeometry(twipsRect(120, 660, 1215, 495));
    m_ok->setDefault(true);
    m_no = new QPushButton(this);
    m_no->setObjectName(QStringLiteral("kNO"));
    m_no->setGeometry(twipsRect(1440, 660, 1215, 495));
    for (QPushButton *button : {m_ok, m_no})
        button->setFont(formFont(kPx825pt));

    setTabOrder(m_texts[0], m_texts[1]);
    setTabOrder(m_texts[1], m_ok);
    setTabOrder(m_ok, m_no);
    m_texts[0]->setFocus();
}

void FrmNewDisk::bindModel() {
    NewDiskModel &m = m_model;
    setWindowTitle(m.Caption());
    for (int i = 0; i < 2; ++i) {
        m_labels[i]->setText(m.Label2(i));
        placeLabel(m_labels[i], kLabelPlaces[i]);
        m_texts[i]->setText(m.Text1(i));
        connect(m_texts[i], &QLineEdit::textChanged, &m,
                [&m, i](const QString &text) { m.setText1(i, text); });
    }
    connect(&m, &NewDiskModel::text1Changed, this, [this](int i, const QString &text) {
        if (m_texts[i]->text() != text)
            m_texts[i]->setText(text);
    });
    m_no->setText(m.kNOCaption());
    connect(m_ok, &QPushButton::clicked, &m, &NewDiskModel::kOK_Click);
    connect(m_no, &QPushButton::clicked, &m, &NewDiskModel::kNO_Click);
    connect(&m, &NewDiskModel::buttonsChanged, this, &FrmNewDisk::showButtons);
    connect(&m, &NewDiskModel::unloadRequested, this, &QDialog::reject);
    showButtons();
}

void FrmNewDisk::showButtons() {
    m_ok->setEnabled(m_model.kOKEnabled());
    m_no->setEnabled(m_model.kNOEnabled());
}

void FrmNewDisk::keyPressEvent(QKeyEvent *event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace tv::ui
