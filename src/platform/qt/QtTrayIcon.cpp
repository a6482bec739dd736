#include "platform/qt/QtTrayIcon.h"

namespace tv {

QSystemTrayIcon *QtTrayIcon::trayIcon() {
    if (!m_icon) {
        m_icon = std::make_unique<QSystemTrayIcon>(m_image);
        QObject::connect(m_icon.get(), &QSystemTrayIcon::activated, m_icon.get(),
                         [this](QSystemTrayIcon::ActivationReason reason) {
                             if (reason == QSystemTrayIcon::Context && rightClick)
                                 rightClick();
                             else if (reason == QSystemTrayIcon::DoubleClick && doubleClick)
                                 doubleClick();
                         });
    }
    return m_icon.get();
}

void QtTrayIcon::add(const QString &tip) {
    trayIcon()->setToolTip(tip);
    trayIcon()->show();
}

void QtTrayIcon::remove() {
    if (m_icon)
        m_icon->hide();
}

} // namespace tv
