#include "ui/FrmOprog.h"

#include "core/WebLinks.h"
#include "ui/Bitmaps.h"
#include "ui/Fonts.h"
#include "ui/PictureBox.h"
#include "ui/Placement.h"
#include "ui/Twips.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

namespace tv::ui {

namespace {

constexpr int kClientWidth = 5340;
constexpr int kClientHeight = 3135;
// The etched separator: a dark line with a light one under it.
constexpr int kLineLeft = 120, kLineRight = 5160, kLineY = 2280;

// White, blue and red bands, as the box draws them when it opens.
QImage tricolour() {
    QImage image(80, 45, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.fillRect(QRect(QPoint(0, 15), QPoint(79, 30)), QColor(0, 0, 255));
    p.fillRect(QRect(QPoint(0, 31), QPoint(79, 45)), QColor(255, 0, 0));
    return image;
}

// The fixed lines of the box, the same in both languages: index, place in
// twips, text. They reach to the right margin, as the sans-serif they show in
// here runs wider than the one the box was first laid out for.
struct Line {
    int index;
    int left, top, width;
    const char *text;
};
const Line kLines[] = {
    {3, 1560, 120, 3660, "Автор: проект Tonvela"},
    {4, 1560, 480, 3660, "E-mail: на сайте проекта"},
    {5, 1560, 840, 840, "Сайт:"},
    {6, 1560, 1200, 3660, "Версия: v9.0"},
    {7, 1560, 1560, 3660, "Дата: выпуска версии"},
    {0, 2340, 1920, 2880, "7 декабря 2026 г."},
};

} // namespace

FrmOprog::FrmOprog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("frmOprog"));
    setFixedSize(px(kClientWidth), px(kClientHeight));
    setFont(formFont(kPx12pt));
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(224, 224, 224));
    setPalette(background);

    m_image1 = new PictureBox(programPicture(), this);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(twipsRect(240, 120, 1065, 1890));
    createLabels();
    createLink();
    m_picture1 = new PictureBox(tricolour(), this);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(twipsRect(120, 2400, 1200, 675));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("OK"));
    m_ok->setGeometry(twipsRect(3840, 2460, 1335, 495));
    m_ok->setDefault(true);
    m_ok->setFocus();
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    Form_Load();
    centreOnScreen(this);
}

void FrmOprog::createLabels() {
    for (const Line &line : kLines) {
        auto *label = new QLabel(QString::fromUtf8(line.text), this);
        label->setObjectName(QStringLiteral("Label2_%1").arg(line.index));
        label->setGeometry(twipsRect(line.left, line.top, line.width, 300));
        m_label2.append(label);
    }
}

void FrmOprog::createLink() {
    m_label1 = new QLabel(QString::fromLatin1(kMakerHost), this);
    m_label1->setObjectName(QStringLiteral("Label1"));
    m_label1->setGeometry(twipsRect(2430, 840, 2790, 300));
    QFont underlined = font();
    underlined.setUnderline(true);
    m_label1->setFont(underlined);
    QPalette link = m_label1->palette();
    link.setColor(QPalette::WindowText, QColor(0, 0, 192));
    m_label1->setPalette(link);
    m_label1->setCursor(Qt::PointingHandCursor);
    m_label1->installEventFilter(this);
}

QLabel *FrmOprog::Label2(int index) const {
    for (QLabel *label : m_label2)
        if (label->objectName() == QStringLiteral("Label2_%1").arg(index))
            return label;
    return nullptr;
}

void FrmOprog::Form_Load() {
    const OprogState state = frmOprog_Load();
    setWindowTitle(state.caption);
    m_tag = state.linkTag;
}

// The browser may take a moment to come up: the hourglass shows meanwhile.
void FrmOprog::Label1_Click() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    frmOprog_Label1_Click(m_tag);
    QApplication::restoreOverrideCursor();
}

bool FrmOprog::eventFilter(QObject *watched, QEvent *event) {
    if (watched == m_label1 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label1_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FrmOprog::paintEvent(QPaintEvent *event) {
    QDialog::paintEvent(event);
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawLine(px(kLineLeft), px(kLineY), px(kLineRight), px(kLineY));
    p.setPen(palette().color(QPalette::Base));
    p.drawLine(px(kLineLeft), px(kLineY) + 1, px(kLineRight), px(kLineY) + 1);
}

} // namespace tv::ui
