#pragma once

#include "platform/TrayIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>

namespace tv {

// The notification-area icon. Its activation and context menu are wired by
// the window layer through trayIcon().
class QtTrayIcon : public TrayIcon {
public:
    explicit QtTrayIcon(const QIcon &icon) { m_icon.setIcon(icon); }

    bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    void add(const QString &tip) override;
    void setTip(const QString &tip) override { m_icon.setToolTip(tip); }
    void remove() override { m_icon.hide(); }

    QSystemTrayIcon *trayIcon() { return &m_icon; }

private:
    QSystemTrayIcon m_icon;
};

} // namespace tv
