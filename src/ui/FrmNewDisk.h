#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tv {
class NewDiskModel;
}

namespace tv::ui {

// The drive-letter window: the widgets over a NewDiskModel, which holds the
// two letters and the rules.
class FrmNewDisk : public QDialog {
    Q_OBJECT
public:
    explicit FrmNewDisk(NewDiskModel &model, QWidget *parent = nullptr);

    QLabel *Label2(int index) const { return m_labels[index & 1]; }
    QLineEdit *Text1(int index) const { return m_texts[index & 1]; }
    QPushButton *kOK() const { return m_ok; }
    QPushButton *kNO() const { return m_no; }

protected:
    // Esc is bound to nothing in this window.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void bindModel();
    void showButtons();

    NewDiskModel &m_model;
    QLabel *m_labels[2];
    QLineEdit *m_texts[2];
    QPushButton *m_ok;
    QPushButton *m_no;
};

} // namespace tv::ui
