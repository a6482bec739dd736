#include "editing/NewDiskModel.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Songs.h"
#include "platform/Ports.h"

namespace tv {

namespace {

// The position of an entry's drive letter, or -1 when it has no drive colon.
qsizetype driveLetterAt(const QString &entry) {
    const qsizetype colon = entry.lastIndexOf(QLatin1Char(':'));
    return colon >= 1 ? colon - 1 : -1;
}

} // namespace

int replaceDriveLetter(QStringList &entries, const QString &from, const QString &to) {
    const QString a = from.toLower();
    const QString b = to.toLower();
    int count = 0;
    for (QString &entry : entries) {
        const qsizetype at = driveLetterAt(entry);
        if (at < 0 || entry.mid(at, 1).toLower() != a)
            continue;
        entry = entry.left(at) + b + entry.mid(at + 1);
        ++count;
    }
    return count;
}

NewDiskModel::NewDiskModel(QObject *parent) : QObject(parent) {
    const Forma &forma = frmForma();
    m_caption = forma.EditNewDisk.Caption();
    if (!forma.ListPath.isEmpty()) {
        const QString &first = forma.ListPath.first();
        const qsizetype at = driveLetterAt(first);
        if (at >= 0)
            setText1(0, first.mid(at, 1));
    }
    m_labels[0] = G().strFrom;
    m_labels[1] = G().strTo;
    m_cancelCaption = G().strCancel;
}

void NewDiskModel::setText1(int index, const QString &text) {
    QString &box = m_text1[index & 1];
    if (box == text)
        return;
    box = text;
    emit text1Changed(index & 1, text);
    const bool ready = m_text1[0].size() + m_text1[1].size() == 2 && m_text1[0] != m_text1[1];
    setButtons(ready, m_noEnabled);
}

void NewDiskModel::setButtons(bool ok, bool no) {
    if (ok == m_okEnabled && no == m_noEnabled)
        return;
    m_okEnabled = ok;
    m_noEnabled = no;
    emit buttonsChanged();
}

void NewDiskModel::kOK_Click() {
    if (!m_okEnabled || m_unloaded)
        return;
    setButtons(false, false);
    QStringList entries = frmForma().ListPath;
    const int count = replaceDriveLetter(entries, m_text1[0], m_text1[1]);
    // Rewritten paths make a changed album, so that leaving it asks to save
    // them; a replacement that changed no text (C to c over paths already
    // on c) leaves the album as it was.
    if (entries != frmForma().ListPath)
        replaceSongs(std::move(entries));
    P().dialogs->MsgBox(G().strReplaceCount + QLatin1Char(' ') + QString::number(count),
                        vbOKOnly | vbInformation, G().strTitle);
    unload();
}

void NewDiskModel::kNO_Click() {
    unload();
}

void NewDiskModel::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    emit unloadRequested();
}

} // namespace tv
