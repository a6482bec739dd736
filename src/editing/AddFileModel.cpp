#include "editing/AddFileModel.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "editing/AddFiles.h"
#include "platform/Ports.h"

#include <algorithm>
#include <cmath>

namespace tv {

namespace {

const QString kMp3 = QStringLiteral(".mp3");

// The form ListDir.Path takes: no final separator except at a drive root.
QString folderPath(QString path) {
    const QString &sep = G().PathSep;
    if (path.size() == 2 && path.at(1) == QLatin1Char(':'))
        return path + sep;
    while (path.size() > 3 && path.endsWith(sep))
        path.chop(sep.size());
    return path;
}

QStringList mp3Files(const QStringList &files) {
    QStringList mp3;
    for (const QString &name : files) {
        if (name.endsWith(kMp3, Qt::CaseInsensitive))
            mp3.append(name);
    }
    return mp3;
}

char32_t nextCodePoint(QStringView name, qsizetype &i) {
    const QChar c = name.at(i++);
    if (c.isHighSurrogate() && i < name.size() && name.at(i).isLowSurrogate())
        return QChar::surrogateToUcs4(c, name.at(i++));
    return c.unicode();
}

// Letter case ignored, by code after upper-casing as the listing compares,
// but for Ё, which a Russian reader looks for right after Е.
qint64 dictionaryWeight(char32_t c) {
    constexpr char32_t kYo = 0x401, kYe = 0x415;
    const char32_t upper = QChar::toUpper(c);
    return upper == kYo ? qint64(kYe) * 2 + 1 : qint64(upper) * 2;
}

bool dictionaryLess(QStringView a, QStringView b) {
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const qint64 wa = dictionaryWeight(nextCodePoint(a, i));
        const qint64 wb = dictionaryWeight(nextCodePoint(b, j));
        if (wa != wb)
            return wa < wb;
    }
    return i == a.size() && j < b.size();
}

// The listing's order but for names with Ё, which alone move: a folder of
// 100,000 names without one is not sorted again.
void orderAsDictionary(QStringList &names) {
    const auto holdsYo = [](const QString &name) {
        return name.contains(QChar(0x401)) || name.contains(QChar(0x451));
    };
    if (std::any_of(names.cbegin(), names.cend(), holdsYo))
        std::stable_sort(names.begin(), names.end(), dictionaryLess);
}

int driveOf(const QStringList &drives, const QString &path) {
    for (int i = 0; i < drives.size(); ++i) {
        if (path.startsWith(drives.at(i), Qt::CaseInsensitive))
            return i;
    }
    return drives.isEmpty() ? -1 : 0;
}

} // namespace

AddFileModel::AddFileModel(const QString &currentFolder, QObject *parent)
    : QObject(parent), m_currentFolder(currentFolder) {
    const Globals &g = G();
    m_FormReady = false;
    m_caption = frmForma().EditAddFile.Caption();
    m_addAllCaption = g.strAddAll;
    m_addFileCaption = g.strAddFile;
    m_nameFromFileCaption = g.strNameFromFile;
    chNamePesni_Click(g.NamePesni == 1);
    m_drives = P().fs->drives();
    m_drive = driveOf(m_drives, currentFolder);
    m_FormReady = true;
    if (changePath(g.strDir) || changePath(g.AppDir))
        return;
    // Not even the program's folder can be listed: its row alone, from
    // which the user can still go up or change the drive.
    m_path = folderPath(g.AppDir);
    refresh();
}

QString AddFileModel::rowText(int row) const {
    const int d = int(m_folders.size());
    if (row == 0)
        return m_row0;
    if (row <= d)
        return m_folders.value(row - 1);
    const int file = row - d;
    if (file > m_files.size())
        return {};
    return QString::number(file) + QLatin1Char('.') + title(file - 1);
}

QString AddFileModel::title(qsizetype file) const {
    std::optional<QString> &title = m_titles[size_t(file)];
    if (!title)
        title = newSongTitle(m_titleFolder, m_files.at(file), m_titleNamePesni);
    return *title;
}

AddFileModel::RowKind AddFileModel::rowKind(int row) const {
    if (row == 0)
        return m_row0Kind;
    return row <= m_folders.size() ? Folder : File;
}

// ListDir.Path = path; false when the folder cannot be listed (gone, no
// permission, a drive that is not ready), and then nothing changes.
bool AddFileModel::changePath(const QString &path) {
    const QString folder = folderPath(path);
    FolderListing listing;
    if (folder.size() < 3 || !P().fs->listFolder(folder, &listing))
        return false;
    m_path = folder;
    ListDir_Change(listing);
    return true;
}

// The folder shown, listed anew; one that cannot be read shows no entries.
void AddFileModel::refresh() {
    FolderListing listing;
    if (!P().fs->listFolder(m_path, &listing))
        listing = {};
    ListDir_Change(listing);
}

void AddFileModel::ListDir_Change(const FolderListing &listing) {
    Globals &g = G();
    m_selRow = 0;
    g.strDir = m_path;
    if (m_path.size() < 4) {
        m_row0Kind = Drive;
        m_row0 = m_path;
    } else {
        m_row0Kind = OpenFolder;
        m_row0 = m_path.mid(m_path.lastIndexOf(g.PathSep) + g.PathSep.size());
        g.strDir += g.PathSep;
    }
    m_folders = listing.folders;
    m_files = mp3Files(listing.files);
    orderAsDictionary(m_folders);
    orderAsDictionary(m_files);
    m_scroll.Value = 0;
    m_scroll.Max = 0;
    m_addAllEnabled = !m_files.isEmpty();
    m_addFileEnabled = false;
    for (int i = 0; i < m_folders.size(); ++i) {
        if (m_folders.at(i) == m_prevPapka)
            m_selRow = i + 1;
    }
    m_prevPapka = m_row0;
    m_titleFolder = g.strDir;
    m_titleNamePesni = g.NamePesni;
    m_titles.assign(size_t(m_files.size()), std::nullopt);
    MarkRow();
    SetScroll();
    emit changed();
}

void AddFileModel::MarkRow() {
    m_addFileEnabled = m_selRow - int(m_folders.size()) >= 1;
}

void AddFileModel::SetScroll() {
    const int excess = kRowHeight * RowCount() - kPageHeight;
    if (excess < 1) {
        m_scroll.Value = 0;
        m_scroll.Visible = false;
    } else {
        m_scroll.SmallChange = 12;
        m_scroll.LargeChange = 18;
        m_scroll.Max = RowCount() - kFullRows;
        m_scroll.Visible = true;
    }
    // The selected row below the first page becomes the last whole one.
    if (kRowHeight * m_selRow + kRowHeight > kPageHeight)
        setValue(m_selRow - (kFullRows - 1));
}

// Every change of selection unmarks the old row and marks the new one.
void AddFileModel::select(int row) {
    m_selRow = row;
    MarkRow();
}

void AddFileModel::setValue(int value) {
    m_scroll.Value = std::clamp(value, 0, m_scroll.Max);
}

QString AddFileModel::parentPath() const {
    if (m_path.size() < 4)
        return {};
    const QString parent = m_path.left(m_path.lastIndexOf(G().PathSep));
    return folderPath(parent);
}

QString AddFileModel::subfolderPath(int i) const {
    const QString &sep = G().PathSep;
    return (m_path.endsWith(sep) ? m_path : m_path + sep) + m_folders.value(i);
}

// At a drive root there is nowhere to go; a parent that cannot be listed
// leaves the listing as it is.
void AddFileModel::upOneFolder() {
    const QString parent = parentPath();
    if (!parent.isEmpty())
        changePath(parent);
}

void AddFileModel::ListPicture_MouseDown(double y) {
    const int row = int(std::lround(y)) / kRowHeight;
    if (y < 0 || row >= RowCount() || row == m_selRow)
        return;
    select(row);
    emit changed();
}

// The partly shown row below the page comes fully into view.
void AddFileModel::ListPicture_Click() {
    if (m_selRow == m_scroll.Value + kFullRows) {
        setValue(m_scroll.Value + 1);
        emit changed();
    }
}

void AddFileModel::ListPicture_DblClick() {
    if (m_selRow > m_folders.size()) {
        KAddFile_Click();
        return;
    }
    const QString target = m_selRow == 0 ? parentPath() : subfolderPath(m_selRow - 1);
    if (!target.isEmpty() && !changePath(target))
        refresh();
}

void AddFileModel::VScroll1_Change(int value) {
    setValue(value);
    emit changed();
}

// The drive's current folder: the working folder on its own drive, the
// root on any other.
void AddFileModel::Drive1_Change(int index) {
    if (index == m_drive || index < 0 || index >= m_drives.size())
        return;
    const QString letter = m_drives.at(index);
    const QString folder = m_currentFolder.startsWith(letter, Qt::CaseInsensitive)
                               ? m_currentFolder
                               : letter + G().PathSep;
    if (changePath(folder))
        m_drive = index;
    else
        emit changed();
}

void AddFileModel::chNamePesni_Click(bool ticked) {
    m_nameFromFile = ticked;
    if (!m_FormReady)
        return;
    G().NamePesni = ticked ? 1 : 0;
    refresh();
}

void AddFileModel::KAddFile_Click() {
    const int file = m_selRow - int(m_folders.size()) - 1;
    if (file >= 0 && file < m_files.size())
        AddFile(G().strDir, m_files.at(file), G().NamePesni);
    emit focusListRequested();
}

void AddFileModel::kAddPapka_Click() {
    AddPapka(G().strDir, m_files, G().NamePesni);
    emit focusListRequested();
}

void AddFileModel::NewPapka() {
    if (!changePath(G().strDir) && !changePath(G().AppDir))
        refresh();
}

namespace {

constexpr int kBackspace = 8, kEnter = 13, kEsc = 27, kPageUp = 33, kPageDown = 34, kEnd = 35,
              kHome = 36, kUp = 38, kDown = 40;

} // namespace

// t is the first row in view before the key. A selection scrolled out of
// view comes back to the first visible row instead of moving on.
void AddFileModel::keyUp(int t) {
    if (m_selRow == 0)
        return;
    if (m_selRow < t || m_selRow > t + kFullRows) {
        select(t);
        return;
    }
    select(m_selRow - 1);
    if (m_selRow < t)
        setValue(t - 1);
}

void AddFileModel::keyDown(int t) {
    if (m_selRow == RowCount() - 1)
        return;
    if (m_selRow < t || m_selRow > t + kFullRows) {
        select(t);
        return;
    }
    select(m_selRow + 1);
    if (m_selRow > t + kFullRows - 1)
        setValue(t + 1);
}

void AddFileModel::keyPageUp(int t) {
    if (m_selRow == 0)
        return;
    if (t - kFullRows >= 0) {
        setValue(t - kFullRows);
        select(t - kFullRows);
    } else {
        select(0);
        setValue(0);
    }
}

// The new page's last whole row is selected.
void AddFileModel::keyPageDown(int t) {
    if (m_selRow == RowCount() - 1)
        return;
    if (t + kFullRows <= m_scroll.Max) {
        setValue(t + kFullRows);
        select(t + 2 * kFullRows - 1);
    } else {
        select(RowCount() - 1);
        if (m_scroll.Visible)
            setValue(m_scroll.Max);
    }
}

// Row 0 goes up, a folder row goes in, a file row adds the file.
void AddFileModel::keyEnter() {
    if (m_selRow == 0) {
        upOneFolder();
    } else if (m_selRow <= m_folders.size()) {
        if (!changePath(subfolderPath(m_selRow - 1)))
            NewPapka();
    }
    if (m_selRow > m_folders.size())
        KAddFile_Click();
}

void AddFileModel::ListPicture_KeyDown(int keyCode) {
    const int t = m_scroll.Value;
    switch (keyCode) {
    case kEsc:
        emit unloadRequested();
        return;
    case kBackspace:
        upOneFolder();
        return;
    case kEnter:
        keyEnter();
        return;
    case kUp:
        keyUp(t);
        break;
    case kDown:
        keyDown(t);
        break;
    case kPageUp:
        keyPageUp(t);
        break;
    case kPageDown:
        keyPageDown(t);
        break;
    case kHome:
        select(0);
        if (m_scroll.Visible)
            setValue(0);
        break;
    case kEnd:
        select(RowCount() - 1);
        if (m_scroll.Visible && m_scroll.Max >= 0)
            setValue(m_scroll.Max);
        break;
    default:
        return;
    }
    emit changed();
}

} // namespace tv
