#include "ui/FrmAddFile.h"

#include "editing/AddFileModel.h"
#include "platform/Ports.h"
#include "ui/Fonts.h"
#include "ui/ListPicture.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace tv::ui {

namespace {

// What the drive box shows of a drive: "z: [/]", "c: [USB STICK]".
QString driveText(const QString &letter) {
    const QString root = P().fs->toNative(letter + QLatin1Char('/'));
    const QString name = root.section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty);
    return letter.toLower() + QStringLiteral(" [") + (name.isEmpty() ? root : name) +
           QLatin1Char(']');
}

} // namespace

FrmAddFile::FrmAddFile(AddFileModel *model, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      m_model(model) {
    setObjectName(QStringLiteral("frmAddFile"));
    setFixedSize(px(4680), px(5070));
    build();
    connectModel();
    showModel();
    m_list->setFocus();
    centreOnScreen(this);
}

void FrmAddFile::build() {
    setWindowTitle(m_model->Caption());
    setFont(formFont(kPx825pt));

    m_drive = new QComboBox(this);
    m_drive->setObjectName(QStringLiteral("Drive1"));
    m_drive->setGeometry(twipsRect(60, 60, 4575, 315));
    for (const QString &letter : m_model->Drive1List())
        m_drive->addItem(driveText(letter));

    // picListFile: the viewport, with a sunken edge drawn just outside it.
    auto *edge = new QFrame(this);
    edge->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    const QRect viewport = twipsRect(60, 480, 4575, 3300);
    edge->setGeometry(viewport.adjusted(-1, -1, 1, 1));
    m_picListFile = new QWidget(edge);
    m_picListFile->setObjectName(QStringLiteral("picListFile"));
    m_picListFile->setGeometry(1, 1, viewport.width(), viewport.height());
    m_picListFile->setAutoFillBackground(true);
    QPalette back = m_picListFile->palette();
    back.setColor(QPalette::Window, back.color(QPalette::HighlightedText));
    m_picListFile->setPalette(back);

    m_list = new ListPicture(m_model, m_picListFile);
    m_list->setGeometry(0, 0, AddFileModel::kPictureWidth, viewport.height());
    m_scroll = new QScrollBar(Qt::Vertical, m_picListFile);
    m_scroll->setObjectName(QStringLiteral("VScroll1"));
    m_scroll->setGeometry(284, 0, 17, AddFileModel::kPageHeight);
    // The scroll bar never keeps the keyboard: the rows take it.
    m_scroll->setFocusPolicy(Qt::NoFocus);

    m_addAll = new QPushButton(m_model->kAddPapkaCaption(), this);
    m_addAll->setObjectName(QStringLiteral("kAddPapka"));
    m_addAll->setGeometry(twipsRect(600, 3960, 1935, 495));
    m_addFile = new QPushButton(m_model->KAddFileCaption(), this);
    m_addFile->setObjectName(QStringLiteral("KAddFile"));
    m_addFile->setGeometry(twipsRect(2640, 3960, 1935, 495));
    m_nameFromFile = new QCheckBox(m_model->chNamePesniCaption(), this);
    m_nameFromFile->setObjectName(QStringLiteral("chNamePesni"));
    m_nameFromFile->setGeometry(twipsRect(240, 4560, 4455, 495));
    m_nameFromFile->setChecked(m_model->chNamePesni());

    // Enter belongs to the rows: no button is the default one.
    for (QPushButton *button : {m_addAll, m_addFile})
        button->setAutoDefault(false);
    setTabOrder(m_list, m_addAll);
    setTabOrder(m_addAll, m_addFile);
    setTabOrder(m_addFile, m_nameFromFile);
    setTabOrder(m_nameFromFile, m_drive);
}

void FrmAddFile::connectModel() {
    AddFileModel *model = m_model;
    connect(model, &AddFileModel::changed, this, &FrmAddFile::showModel);
    connect(model, &AddFileModel::unloadRequested, this, &QDialog::reject);
    connect(model, &AddFileModel::focusListRequested, m_list,
            [this] { m_list->setFocus(Qt::OtherFocusReason); });
    connect(m_drive, &QComboBox::activated, model, &AddFileModel::Drive1_Change);
    connect(m_scroll, &QScrollBar::valueChanged, model, &AddFileModel::VScroll1_Change);
    connect(m_addFile, &QPushButton::clicked, model, &AddFileModel::KAddFile_Click);
    connect(m_addAll, &QPushButton::clicked, model, &AddFileModel::kAddPapka_Click);
    connect(m_nameFromFile, &QCheckBox::toggled, model, &AddFileModel::chNamePesni_Click);
}

void FrmAddFile::showModel() {
    const AddFileModel::ScrollBar &bar = m_model->VScroll1();
    {
        const QSignalBlocker quiet(m_scroll);
        m_scroll->setRange(0, bar.Max);
        m_scroll->setSingleStep(bar.SmallChange);
        m_scroll->setPageStep(bar.LargeChange);
        m_scroll->setValue(bar.Value);
    }
    m_scroll->setVisible(bar.Visible);
    m_drive->setCurrentIndex(m_model->Drive1Index());
    m_addFile->setEnabled(m_model->KAddFileEnabled());
    m_addAll->setEnabled(m_model->kAddPapkaEnabled());
    m_list->update();
}

} // namespace tv::ui
