#include "ui/ProgramStyle.h"

#include <QIconEngine>
#include <optional>

namespace tv::ui {

namespace {

// Stands for the base style's icon and fetches it at its first use. The
// option and widget of the request are not kept: the arrows do not depend on
// them.
class LaterIcon : public QIconEngine {
public:
    LaterIcon(const QProxyStyle *style, QStyle::StandardPixmap which)
        : m_style(style), m_which(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode,
               QIcon::State state) override {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().pixmap(size, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return icon().availableSizes(mode, state);
    }
    // Asked while the bar is laid out, before anything is drawn; the style's
    // arrows always exist.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("tonvela.later"); }
    QIconEngine *clone() const override { return new LaterIcon(m_style, m_which); }

private:
    const QIcon &icon() {
        if (!m_icon)
            m_icon = m_style->baseStyle()->standardIcon(m_which, nullptr, nullptr);
        return *m_icon;
    }

    const QProxyStyle *m_style;
    QStyle::StandardPixmap m_which;
    std::optional<QIcon> m_icon;
};

} // namespace

QIcon ProgramStyle::standardIcon(StandardPixmap which, const QStyleOption *option,
                                 const QWidget *widget) const {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
        return QIcon(new LaterIcon(this, which));
    return QProxyStyle::standardIcon(which, option, widget);
}

} // namespace tv::ui
