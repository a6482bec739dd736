#pragma once

#include <QString>
#include <QStringList>

namespace tv {

// Refuses a second running copy of the program in the same folder.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True for the first copy. A later copy gets false, having handed the
    // first one the files to open (native paths), or without files asked it
    // to bring its window forward. Must read and write nothing in appDir.
    virtual bool acquire(const QString &appDir, const QStringList &files) = 0;
    // The first copy's start-up has settled on its album: the files later
    // copies handed over meanwhile join it now, and those handed over from
    // here on as they come.
    virtual void startedUp() = 0;
};

} // namespace tv
