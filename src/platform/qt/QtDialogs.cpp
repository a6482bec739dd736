#include "platform/qt/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace tv {

namespace {

constexpr int kButtonsMask = 0x0F;
constexpr int kIconMask = 0x70;

QList<int> buttonsOf(int style) {
    switch (style & kButtonsMask) {
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    default:
        return {vbOK};
    }
}

QMessageBox::Icon iconOf(int style) {
    switch (style & kIconMask) {
    case vbCritical:
        return QMessageBox::Critical;
    case vbQuestion:
        return QMessageBox::Question;
    case vbExclamation:
        return QMessageBox::Warning;
    case vbInformation:
        return QMessageBox::Information;
    default:
        return QMessageBox::NoIcon;
    }
}

QMessageBox::StandardButton standardButton(int result) {
    switch (result) {
    case vbYes:
        return QMessageBox::Yes;
    case vbNo:
        return QMessageBox::No;
    case vbCancel:
        return QMessageBox::Cancel;
    default:
        return QMessageBox::Ok;
    }
}

// The answer a box gives when it is closed without a button: Cancel where
// there is one, otherwise the last button (No of Yes/No, OK alone).
int escapeAnswer(const QList<int> &buttons) {
    return buttons.contains(vbCancel) ? int(vbCancel) : buttons.last();
}

int parseAnswer(const QString &text, const QList<int> &buttons) {
    const QString word = text.trimmed().toLower();
    bool isNumber = false;
    int answer = word.toInt(&isNumber);
    if (!isNumber) {
        static const QList<QPair<QString, int>> words = {
            {"ok", vbOK}, {"cancel", vbCancel}, {"yes", vbYes}, {"no", vbNo}};
        answer = 0;
        for (const auto &w : words) {
            if (w.first == word)
                answer = w.second;
        }
    }
    return buttons.contains(answer) ? answer : buttons.first();
}

QString shownText(QString prompt) {
    prompt.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    prompt.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return prompt;
}

QString filterRow(const FileFilter &filter) {
    // "*.*" means every file on Windows; Qt's "*.*" would hide names without a dot.
    const QString pattern =
        filter.second == QLatin1String("*.*") ? QStringLiteral("*") : filter.second;
    QString name = filter.first;
    const int open = name.lastIndexOf(QLatin1Char('('));
    if (open >= 0 && name.endsWith(QLatin1Char(')')))
        name = name.left(open).trimmed();
    return name + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

// The window manager cuts a title that does not fit between the frame's
// icon and buttons; a box sized to its text alone can be narrower than
// that. Room for the title in bold (as title bars draw it), the icon and
// three buttons.
void fitTitle(QMessageBox &box) {
    QFont bold = box.font();
    bold.setBold(true);
    constexpr int kFrameRoom = 5 * 24;
    const int width = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kFrameRoom;
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

int QtDialogs::MsgBox(const QString &prompt, int style, const QString &title) {
    const QList<int> buttons = buttonsOf(style);
    if (AnswerScript::active()) {
        const auto answer = scriptedAnswer(prompt, style, title);
        if (!answer || answer->trimmed().compare(QLatin1String("show"), Qt::CaseInsensitive) != 0)
            return answer ? parseAnswer(*answer, buttons) : buttons.first();
    }
    QMessageBox box(iconOf(style), title, shownText(prompt), QMessageBox::NoButton,
                    QApplication::activeWindow());
    for (int b : buttons)
        box.addButton(standardButton(b));
    const int defaultIndex = (style & vbDefaultButton2) && buttons.size() > 1 ? 1 : 0;
    box.setDefaultButton(standardButton(buttons.at(defaultIndex)));
    box.setEscapeButton(standardButton(escapeAnswer(buttons)));
    fitTitle(box);
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    for (int b : buttons) {
        if (clicked && clicked == box.button(standardButton(b)))
            return b;
    }
    return escapeAnswer(buttons);
}

std::optional<QString> QtDialogs::scriptedAnswer(const QString &prompt, int style,
                                                 const QString &title) {
    QString logged = prompt;
    logged.replace(QLatin1String("\r\n"), QLatin1String("\\n"));
    logged.replace(QLatin1Char('\n'), QLatin1String("\\n"));
    return m_script.next(
        QStringList{QStringLiteral("MsgBox"), QString::number(style), title, logged}.join('|'));
}

QString QtDialogs::fileDialog(bool isSave, const QString &dir, const QString &fileName,
                              const QList<FileFilter> &filters) {
    if (AnswerScript::active())
        return scriptedFileDialog(isSave, dir, fileName);
    QFileDialog dialog(QApplication::activeWindow(), QString(), m_fs.toNative(dir));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The program asks its own question before it replaces a file.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(isSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(isSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList rows;
    for (const FileFilter &f : filters)
        rows << filterRow(f);
    dialog.setNameFilters(rows);
    if (!rows.isEmpty())
        dialog.selectNameFilter(rows.first());
    if (!fileName.isEmpty()) {
        const QString native = m_fs.toNative(fileName);
        dialog.selectFile(native.isEmpty() ? fileName : native);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return m_fs.fromNative(dialog.selectedFiles().first());
}

QString QtDialogs::scriptedFileDialog(bool isSave, const QString &dir, const QString &fileName) {
    const QString mode = isSave ? QStringLiteral("save") : QStringLiteral("open");
    const auto answer =
        m_script.next(QStringList{QStringLiteral("FileDialog"), mode, dir, fileName}.join('|'));
    if (!answer || answer->trimmed().isEmpty())
        return {};
    return m_fs.fromNative(QFileInfo(answer->trimmed()).absoluteFilePath());
}

} // namespace tv
