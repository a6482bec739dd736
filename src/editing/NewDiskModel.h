#pragma once

#include <QObject>
#include <QStringList>

namespace tv {

// Rewrites the drive letter of every entry on drive `from` to `to`: the
// letter is the character before an entry's last ":", matched case-blind and
// written in lower case. Entries without a drive colon are left as they are.
// Returns how many entries were on the drive.
int replaceDriveLetter(QStringList &entries, const QString &from, const QString &to);

// The drive-letter window frmNewDisk while it is shown: its two one-character
// boxes Text1(0) (the letter to replace) and Text1(1) (the new one), and the
// states of its buttons.
class NewDiskModel : public QObject {
    Q_OBJECT
public:
    // Form_Load: the first box holds the drive letter of the album's first
    // song as stored; the texts of the current language.
    explicit NewDiskModel(QObject *parent = nullptr);

    QString Caption() const { return m_caption; }
    QString Label2(int index) const { return m_labels[index & 1]; }
    QString kNOCaption() const { return m_cancelCaption; }

    QString Text1(int index) const { return m_text1[index & 1]; }
    // Text1_Change, for either box.
    void setText1(int index, const QString &text);

    bool kOKEnabled() const { return m_okEnabled; }
    bool kNOEnabled() const { return m_noEnabled; }
    bool unloaded() const { return m_unloaded; }

    // The replacement, the count message, and the window closes.
    void kOK_Click();
    void kNO_Click();

signals:
    void text1Changed(int index, const QString &text);
    void buttonsChanged();
    void unloadRequested();

private:
    void setButtons(bool ok, bool no);
    void unload();

    QString m_caption, m_cancelCaption;
    QString m_labels[2];
    QString m_text1[2];
    bool m_okEnabled = false;
    bool m_noEnabled = true;
    bool m_unloaded = false;
};

} // namespace tv
