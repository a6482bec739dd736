#pragma once

#include <QDialog>
#include <QPointer>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace tv {
class FoundModel;
}

namespace tv::ui {

// The search window: the text, the Search button, the results and the two
// add buttons, bound to the logic's model of the window.
class FrmFound : public QDialog {
    Q_OBJECT
public:
    explicit FrmFound(FoundModel *model, QWidget *parent = nullptr);

    QLineEdit *Text1() const { return m_text; }
    QPushButton *kFound() const { return m_found; }
    QListView *List1() const { return m_list; }
    QLabel *lblInfo() const { return m_info; }
    QPushButton *kAddPapka() const { return m_addAll; }
    QPushButton *KAddFile() const { return m_addFile; }

private:
    void createControls();
    void bindModel();
    void showState();
    void showBusy(bool busy);

    FoundModel *m_model;
    QLineEdit *m_text = nullptr;
    QPushButton *m_found = nullptr;
    QListView *m_list = nullptr;
    QLabel *m_info = nullptr;
    QPushButton *m_addAll = nullptr;
    QPushButton *m_addFile = nullptr;
    bool m_busy = false;
    QPointer<QWidget> m_focus;
};

} // namespace tv::ui
