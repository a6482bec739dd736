#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QPushButton;
class QScrollBar;

namespace tv {
class AddFileModel;
}

namespace tv::ui {

class ListPicture;

// The add-files browser: the drive box, the row list under its scroll bar,
// Add all and Add file, and the titles-from-file-names check box. It shows
// the model and hands it every event; Esc and the close box leave it.
class FrmAddFile : public QDialog {
    Q_OBJECT
public:
    explicit FrmAddFile(AddFileModel *model, QWidget *parent = nullptr);

    QComboBox *Drive1() const { return m_drive; }
    ListPicture *listPicture() const { return m_list; }
    QScrollBar *VScroll1() const { return m_scroll; }
    QPushButton *KAddFile() const { return m_addFile; }
    QPushButton *kAddPapka() const { return m_addAll; }
    QCheckBox *chNamePesni() const { return m_nameFromFile; }

private:
    void build();
    void connectModel();
    void showModel();

    AddFileModel *m_model;
    QComboBox *m_drive;
    QWidget *m_picListFile;
    ListPicture *m_list;
    QScrollBar *m_scroll;
    QPushButton *m_addFile;
    QPushButton *m_addAll;
    QCheckBox *m_nameFromFile;
};

} // namespace tv::ui
