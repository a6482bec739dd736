#pragma once

#include <QString>

namespace tv {

// Refuses a second running copy of the program in the same folder.
class InstanceGuard {
public:
    virtual ~InstanceGuard() = default;
    // True for the first copy; a later copy gets false (and may ask the first
    // one to bring its window forward). Must read and write nothing in appDir.
    virtual bool acquire(const QString &appDir) = 0;
};

} // namespace tv
