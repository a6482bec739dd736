#pragma once

#include "platform/TrayIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <functional>

namespace tv {

// The notification-area icon. It has no menu of its own: a right click is
// reported, and the program opens its popup menu itself.
class QtTrayIcon : public TrayIcon {
public:
    explicit QtTrayIcon(const QIcon &icon);

    bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    void add(const QString &tip) override;
    void setTip(const QString &tip) override { m_icon.setToolTip(tip); }
    void remove() override { m_icon.hide(); }

    QSystemTrayIcon *trayIcon() { return &m_icon; }

    // What the user did to the icon: the right button, and a double-click
    // with the left one. A single click and the middle button report nothing.
    std::function<void()> rightClick;
    std::function<void()> doubleClick;

private:
    QSystemTrayIcon m_icon;
};

} // namespace tv
