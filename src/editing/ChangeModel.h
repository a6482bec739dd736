#pragma once

#include "core/ListModel.h"

#include <QStringList>

namespace tv {

// The title editor frmChange while it is shown. It works on a copy of the
// open album: the titles are the rows of List1, the paths its own ListPath,
// index-aligned. A move carries the path along with its title, so every title
// stays with its own file. The album changes only by kOK_Click.
//
// Each row keeps the album's entry whole rather than its title and path
// apart: opening and closing the editor then copies no text but the entries
// themselves, which on a large album is most of the time it takes.
class ChangeModel : public ListModel {
    Q_OBJECT
public:
    // Form_Load: the album's songs split into titles and paths, the main
    // list's selected row selected, the texts of the current language.
    explicit ChangeModel(QObject *parent = nullptr);

    int ListCount() const override { return int(m_entries.size()); }
    QString List(int i) const override;

    QString Caption() const { return m_caption; }
    QString kChangeCaption() const { return m_changeCaption; }
    QString kCancelCaption() const { return m_cancelCaption; }

    QString Text1() const { return m_text1; }
    // Text1_Change: the text as typed, or as a selection put it there.
    void setText1(const QString &text);

    bool kChangeEnabled() const { return !m_text1.isEmpty(); }
    // Enter in the text box presses kChange: it is the default button
    // exactly while the text box has the focus.
    bool kChangeDefault() const { return m_text1Focused; }
    bool kOKEnabled() const { return m_okEnabled; }
    bool unloaded() const { return m_unloaded; }

    void Text1_GotFocus();
    void Text1_LostFocus();
    // Up (38) and Down (40) move the selection; true when the key is one of
    // them and so must not reach the text box.
    bool Text1_KeyDown(int keyCode);
    void Text1_KeyUp(int keyCode);
    void List1_KeyUp(int keyCode);

    void kChange_Click();
    void kUP_Click();
    void kDOWN_Click();
    void kOK_Click();
    void kCancel_Click();

signals:
    void text1Changed(const QString &text);
    // Enabling or the default button changed.
    void buttonsChanged();
    // The window is to close; applied: the album took the editor's rows.
    void unloadRequested(bool applied);

private:
    void List1_Click(int index);
    void swapRows(int a, int b);
    void enableOK();
    void unload(bool applied);

    QStringList m_entries;
    QString m_caption, m_changeCaption, m_cancelCaption;
    QString m_text1;
    bool m_text1Focused = false;
    bool m_okEnabled = false;
    bool m_unloaded = false;
};

} // namespace tv
