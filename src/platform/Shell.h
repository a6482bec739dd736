#pragma once

#include <QString>

namespace tv {

// Opens a document, a program or an address the way the desktop does.
class Shell {
public:
    virtual ~Shell() = default;
    // target is a lettered path or an address; returns whether it was opened.
    virtual bool open(const QString &target, const QString &workDir) = 0;
};

} // namespace tv
