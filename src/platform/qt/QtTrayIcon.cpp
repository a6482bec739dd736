#include "platform/qt/QtTrayIcon.h"

namespace tv {

QtTrayIcon::QtTrayIcon(const QIcon &icon) {
    m_icon.setIcon(icon);
    QObject::connect(&m_icon, &QSystemTrayIcon::activated, &m_icon, [this](auto reason) {
        if (reason == QSystemTrayIcon::Context && rightClick)
            rightClick();
        else if (reason == QSystemTrayIcon::DoubleClick && doubleClick)
            doubleClick();
    });
}

void QtTrayIcon::add(const QString &tip) {
    m_icon.setToolTip(tip);
    m_icon.show();
}

} // namespace tv
