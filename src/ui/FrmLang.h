#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace tv::ui {

// The language dialog: a list of the two languages, OK and Cancel.
class FrmLang : public QDialog {
    Q_OBJECT
public:
    explicit FrmLang(QWidget *parent = nullptr);

    QListWidget *List1() const { return m_list; }
    QPushButton *OK() const { return m_ok; }
    QPushButton *NO() const { return m_no; }

private:
    void Form_Load();
    void OK_Click();

    QListWidget *m_list;
    QPushButton *m_ok;
    QPushButton *m_no;
};

} // namespace tv::ui
