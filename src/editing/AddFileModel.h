#pragma once

#include "platform/FileSystem.h"

#include <QObject>
#include <QStringList>
#include <optional>
#include <vector>

namespace tv {

// What the add-files browser frmAddFile shows and does, while it is open:
// one folder as rows (the folder itself, its subfolders, its MP3 files), the
// selected row, the scroll bar over the rows, the drive box, the buttons and
// the check box. The window paints this and hands its events to the
// handlers below; everything the browser decides is decided here.
class AddFileModel : public QObject {
    Q_OBJECT
public:
    // The icons of the rows.
    enum RowKind { Drive = 0, OpenFolder = 1, Folder = 2, File = 3 };

    static constexpr int kRowHeight = 18;
    // Rows Value .. Value + 11 show whole, a 4 px strip of the next below.
    static constexpr int kFullRows = 12;
    static constexpr int kPageHeight = kRowHeight * kFullRows;
    static constexpr int kViewHeight = 220;
    static constexpr int kPictureWidth = 301;
    // The selection mark leaves the icon column alone.
    static constexpr int kMarkLeft = 21;

    struct ScrollBar {
        int Value = 0;
        int Max = 0;
        int SmallChange = 1;
        int LargeChange = 1;
        bool Visible = false;
    };

    // Form_Load. currentFolder is the process's working folder (lettered):
    // the drive box opens on its drive, and choosing that drive opens it.
    explicit AddFileModel(const QString &currentFolder, QObject *parent = nullptr);

    QString Caption() const { return m_caption; }
    QString kAddPapkaCaption() const { return m_addAllCaption; }
    QString KAddFileCaption() const { return m_addFileCaption; }
    QString chNamePesniCaption() const { return m_nameFromFileCaption; }
    bool chNamePesni() const { return m_nameFromFile; }
    bool KAddFileEnabled() const { return m_addFileEnabled; }
    bool kAddPapkaEnabled() const { return m_addAllEnabled; }

    // Drive letters with their colon, and the one the box shows.
    const QStringList &Drive1List() const { return m_drives; }
    int Drive1Index() const { return m_drive; }

    // ListDir.Path: the folder shown, without a final separator except at a
    // drive root ("Z:/").
    QString Path() const { return m_path; }
    const QStringList &subfolders() const { return m_folders; }
    // The MP3 files of the folder, bare names (File1).
    const QStringList &File1() const { return m_files; }

    int RowCount() const { return 1 + int(m_folders.size() + m_files.size()); }
    QString rowText(int row) const;
    RowKind rowKind(int row) const;
    int SelRow() const { return m_selRow; }
    QString PrevPapka() const { return m_prevPapka; }
    const ScrollBar &VScroll1() const { return m_scroll; }

    // The events of the window.
    void ListPicture_KeyDown(int keyCode);
    // y: pixels from the top of the whole row picture, not of the view.
    void ListPicture_MouseDown(double y);
    void ListPicture_Click();
    void ListPicture_DblClick();
    void VScroll1_Change(int value);
    void Drive1_Change(int index);
    void chNamePesni_Click(bool ticked);
    void KAddFile_Click();
    void kAddPapka_Click();
    // The remembered folder again, or the program's own when it is gone.
    void NewPapka();

signals:
    // Rows, selection, scroll bar, buttons or drive box: show them again.
    void changed();
    void unloadRequested();
    // After adding, the keyboard goes back to the rows.
    void focusListRequested();

private:
    bool changePath(const QString &path);
    void refresh();
    void ListDir_Change(const FolderListing &listing);
    void MarkRow();
    void SetScroll();
    void select(int row);
    void setValue(int value);
    void upOneFolder();
    QString parentPath() const;
    QString subfolderPath(int i) const;
    void keyUp(int t);
    void keyDown(int t);
    void keyPageUp(int t);
    void keyPageDown(int t);
    void keyEnter();

    QString m_caption, m_addAllCaption, m_addFileCaption, m_nameFromFileCaption;
    bool m_nameFromFile = false;
    bool m_FormReady = false;
    bool m_addFileEnabled = false;
    bool m_addAllEnabled = false;

    QString m_currentFolder;
    QStringList m_drives;
    int m_drive = -1;

    QString m_path;
    QString m_row0;
    RowKind m_row0Kind = Drive;
    QStringList m_folders;
    QStringList m_files;
    // A file's title is made when its row is first drawn: a folder of 10,000
    // files shows as soon as it is listed, its tags read a page at a time.
    // The folder and the choice of titles are those of the listing.
    QString title(qsizetype file) const;
    QString m_titleFolder;
    int m_titleNamePesni = 0;
    mutable std::vector<std::optional<QString>> m_titles;
    int m_selRow = 0;
    QString m_prevPapka;
    ScrollBar m_scroll;
};

} // namespace tv
