#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tv {

// A program with its arguments, as it is started without a shell.
struct ProgramCommand {
    QString program;
    QStringList arguments;
};

// Opens a document, a program or an address the way the desktop does.
class Shell {
public:
    virtual ~Shell() = default;
    // target is a lettered path or an address; returns whether it was opened.
    virtual bool open(const QString &target, const QString &workDir) = 0;

    // The system's own folder of programs (lettered, no final separator);
    // empty where the system has none (all but Windows).
    virtual QString windowsDirectory() const = 0;
    // The first command whose program is on the search path, with the
    // program's full path; an empty program when none is.
    virtual ProgramCommand findProgram(const QList<ProgramCommand> &candidates) const = 0;
    // Starts a program found by findProgram and does not wait for it.
    virtual bool start(const ProgramCommand &command, const QString &workDir) = 0;
};

} // namespace tv
