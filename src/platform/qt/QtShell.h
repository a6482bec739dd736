#pragma once

#include "platform/FileSystem.h"
#include "platform/Shell.h"

namespace tv {

// Opens documents and addresses with the desktop's handlers.
class QtShell : public Shell {
public:
    explicit QtShell(FileSystem &fs) : m_fs(fs) {}
    bool open(const QString &target, const QString &workDir) override;
    QString windowsDirectory() const override;
    ProgramCommand findProgram(const QList<ProgramCommand> &candidates) const override;
    bool start(const ProgramCommand &command, const QString &workDir) override;

private:
    QString nativeDir(const QString &workDir) const;
    FileSystem &m_fs;
};

} // namespace tv
