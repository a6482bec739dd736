#pragma once

#include <QString>

namespace tv {

// The icon in the notification area.
class TrayIcon {
public:
    virtual ~TrayIcon() = default;
    // Whether the desktop has a notification area at all.
    virtual bool available() const = 0;
    virtual void add(const QString &tip) = 0;
    virtual void setTip(const QString &tip) = 0;
    virtual void remove() = 0;
};

} // namespace tv
