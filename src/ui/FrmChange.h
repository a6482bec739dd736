#pragma once

#include <QDialog>

class QLineEdit;
class QListView;
class QPushButton;

namespace tv {
class ChangeModel;
}

namespace tv::ui {

// The title editor: the widgets over a ChangeModel, which holds the rows,
// the text and the rules. Every way of closing other than OK discards.
class FrmChange : public QDialog {
    Q_OBJECT
public:
    explicit FrmChange(ChangeModel &model, QWidget *parent = nullptr);

    QListView *List1() const { return m_list; }
    QLineEdit *Text1() const { return m_text; }
    QPushButton *kUP() const { return m_up; }
    QPushButton *kDOWN() const { return m_down; }
    QPushButton *kChange() const { return m_change; }
    QPushButton *kOK() const { return m_ok; }
    QPushButton *kCancel() const { return m_cancel; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // Esc belongs to the text box and the list alone.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void bindModel();
    void showButtons();
    bool Text1_Event(QEvent *event);

    ChangeModel &m_model;
    QListView *m_list;
    QLineEdit *m_text;
    QPushButton *m_up;
    QPushButton *m_down;
    QPushButton *m_change;
    QPushButton *m_ok;
    QPushButton *m_cancel;
};

} // namespace tv::ui
