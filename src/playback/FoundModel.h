#pragma once

#include "core/ListModel.h"

#include <QObject>
#include <QString>

namespace tv {

// The results list List1 of the search window: row i reads i + 1, "." and
// the title of Found(i). It shows the rows of the search made in this window
// only; Found itself outlives the window.
class FoundList : public ListModel {
    Q_OBJECT
public:
    using ListModel::ListModel;

    int ListCount() const override { return m_rows; }
    QString List(int i) const override;

    // One row per entry of Found, in one reset however many they are.
    void showFound();
    void Clear();

private:
    int m_rows = 0;
};

// What the search window's controls show besides the list.
struct FoundState {
    bool Enabled = true; // the whole window
    bool kFound = false;
    bool kAddPapka = false;
    bool KAddFile = false;
    QString lblInfo = QStringLiteral("Альбом:");

    bool operator==(const FoundState &o) const {
        return Enabled == o.Enabled && kFound == o.kFound && kAddPapka == o.kAddPapka &&
               KAddFile == o.KAddFile && lblInfo == o.lblInfo;
    }
};

// The search window frmFound as the logic sees it, from its opening (the
// design state) to its closing. Its texts are fixed Russian ones: the
// language does not change them.
class FoundModel : public QObject {
    Q_OBJECT
public:
    FoundModel();

    FoundList List1;

    const FoundState &state() const { return m_state; }
    QString Text1() const { return m_text; }

    void Text1_Change(const QString &text);
    void Text1_KeyUp(int keyCode);
    void kFound_Click();
    void List1_Click();
    void List1_DblClick();
    void List1_KeyUp(int keyCode);
    void KAddFile_Click();
    void kAddPapka_Click();

signals:
    void stateChanged();

private:
    void setState(const FoundState &state);

    QString m_text;
    FoundState m_state;
};

} // namespace tv
