#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace tv {

// Message box styles and answers, with the values the program has always used.
enum MsgStyle {
    vbOKOnly = 0,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
};
enum MsgResult { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// One row of a file dialog's filter: its name and its pattern.
using FileFilter = QPair<QString, QString>;

// Message boxes and the open/save dialogs.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // style: buttons + icon + default button, or'd. Returns a MsgResult.
    virtual int MsgBox(const QString &prompt, int style, const QString &title) = 0;

    // Asks for a file to open (isSave false) or to save, starting in the
    // lettered folder dir with the proposed file name. Returns the chosen
    // lettered path, or an empty text when the user cancelled.
    virtual QString fileDialog(bool isSave, const QString &dir, const QString &fileName,
                               const QList<FileFilter> &filters) = 0;
};

} // namespace tv
