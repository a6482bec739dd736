#pragma once

#include "platform/TrayIcon.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <functional>
#include <memory>

namespace tv {

// The notification-area icon. It has no menu of its own: a right click is
// reported, and the program opens its popup menu itself. The toolkit's icon
// is made when it is first needed (added, after the main window shows):
// making it asks the desktop about its notification area, which would delay
// the first window.
class QtTrayIcon : public TrayIcon {
public:
    explicit QtTrayIcon(const QIcon &icon) : m_image(icon) {}

    bool available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }
    void add(const QString &tip) override;
    void setTip(const QString &tip) override { trayIcon()->setToolTip(tip); }
    void remove() override;

    QSystemTrayIcon *trayIcon();

    // What the user did to the icon: the right button, and a double-click
    // with the left one. A single click and the middle button report nothing.
    std::function<void()> rightClick;
    std::function<void()> doubleClick;

private:
    QIcon m_image;
    std::unique_ptr<QSystemTrayIcon> m_icon;
};

} // namespace tv
