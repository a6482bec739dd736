#include "platform/qt/QtTrayIcon.h"

namespace tv {

void QtTrayIcon::add(const QString &tip) {
    m_icon.setToolTip(tip);
    m_icon.show();
}

} // namespace tv
