#include "ui/FrmLang.h"

#include "core/Language.h"
#include "ui/Fonts.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QListWidget>
#include <QPushButton>

namespace tv::ui {

FrmLang::FrmLang(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmLang"));
    setWindowTitle(QStringLiteral("Select of language"));
    setFixedSize(px(3750), px(1830));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setGeometry(twipsRect(120, 120, 3495, 960));
    m_list->setFont(formFont(kPx12pt));
    m_list->addItems({QStringLiteral("Русский"), QStringLiteral("English")});

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setGeometry(twipsRect(1080, 1200, 1215, 495));
    m_ok->setDefault(true);
    m_no = new QPushButton(QStringLiteral("Cancel"), this);
    m_no->setGeometry(twipsRect(2400, 1200, 1215, 495));
    for (QPushButton *button : {m_ok, m_no})
        button->setFont(formFont(kPx825pt));

    connect(m_ok, &QPushButton::clicked, this, &FrmLang::OK_Click);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &FrmLang::OK_Click);
    // Cancel, Esc and the close box all reject: nothing changes.
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);

    Form_Load();
    centreOnScreen(this);
}

void FrmLang::Form_Load() {
    const LangDialogState state = frmLang_Load();
    if (state.row >= 0 && state.row < m_list->count())
        m_list->setCurrentRow(state.row);
    setWindowTitle(state.caption);
    m_no->setText(state.cancel);
}

void FrmLang::OK_Click() {
    m_ok->setEnabled(false);
    m_no->setEnabled(false);
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    frmLang_OK(selected.isEmpty() ? -1 : selected.first().row());
    accept();
}

} // namespace tv::ui
