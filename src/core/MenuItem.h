#pragma once

#include <QObject>
#include <QString>

namespace tv {

// A menu item as the logic sees it. The window binds an action to it.
class MenuItem : public QObject {
    Q_OBJECT
public:
    explicit MenuItem(const QString &name, const QString &caption, QObject *parent = nullptr)
        : QObject(parent), m_caption(caption) {
        setObjectName(name);
    }

    QString Caption() const { return m_caption; }
    bool Enabled() const { return m_enabled; }
    bool Checked() const { return m_checked; }

    void setCaption(const QString &c) { update(m_caption, c); }
    void setEnabled(bool e) { update(m_enabled, e); }
    void setChecked(bool c) { update(m_checked, c); }

signals:
    void changed();

private:
    template <class T> void update(T &field, const T &value) {
        if (field == value)
            return;
        field = value;
        emit changed();
    }

    QString m_caption;
    bool m_enabled = true;
    bool m_checked = false;
};

} // namespace tv
