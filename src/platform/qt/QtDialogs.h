#pragma once

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/qt/AnswerScript.h"

namespace tv {

// Message boxes and the open/save dialog on Qt widgets, modal to the active
// window. Answered from a file instead when AnswerScript is active.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(FileSystem &fs) : m_fs(fs) {}

    int MsgBox(const QString &prompt, int style, const QString &title) override;
    QString fileDialog(bool isSave, const QString &dir, const QString &fileName,
                       const QList<FileFilter> &filters) override;

private:
    // The answer file's line for a message box, after logging it.
    std::optional<QString> scriptedAnswer(const QString &prompt, int style, const QString &title);
    QString scriptedFileDialog(bool isSave, const QString &dir, const QString &fileName);

    FileSystem &m_fs;
    AnswerScript m_script;
};

} // namespace tv
