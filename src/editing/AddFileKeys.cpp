#include "editing/AddFileModel.h"

namespace tv {

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
