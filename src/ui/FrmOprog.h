#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tv::ui {

class PictureBox;

// The about box: the program's picture, its version and date lines, a link
// to the maker's site, a tricolour and OK.
class FrmOprog : public QDialog {
    Q_OBJECT
public:
    explicit FrmOprog(QWidget *parent = nullptr);

    PictureBox *Image1() const { return m_image1; }
    QLabel *Label1() const { return m_label1; }
    QLabel *Label2(int index) const;
    PictureBox *Picture1() const { return m_picture1; }
    QPushButton *OK() const { return m_ok; }
    // The address behind the link.
    QString Label1Tag() const { return m_tag; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createLabels();
    void createLink();
    void Form_Load();
    void Label1_Click();

    PictureBox *m_image1 = nullptr;
    QLabel *m_label1 = nullptr;
    QList<QLabel *> m_label2;
    PictureBox *m_picture1 = nullptr;
    QPushButton *m_ok = nullptr;
    QString m_tag;
};

} // namespace tv::ui
