#include "editing/DropFilesM.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/SongEntry.h"
#include "core/Songs.h"
#include "core/Turns.h"
#include "editing/AddFilesM.h"
#include "editing/Slices.h"
#include "platform/Ports.h"

#include <memory>

namespace tv {

namespace {

qsizetype lastSep(const QString &path) {
    return qMax(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
}

// The album's entries for the files it does not hold: each title is a read
// of the file's tag, a step of its own. The files of a folder come together,
// and their folder is held while they are read.
QStringList newEntries(const QStringList &files, int namePesni, Slices &slices) {
    const LowPath held = LoadLowPath(files);
    QStringList entries;
    QString folder;
    std::unique_ptr<FolderHeld> inFolder;
    for (qsizetype i = 0; i < files.size(); ++i) {
        slices.step(i, files.size());
        const QString &path = files.at(i);
        if (held.contains(path))
            continue;
        const qsizetype cut = lastSep(path) + 1;
        if (QStringView(path).left(cut) != folder) {
            folder = path.left(cut);
            inFolder.reset();
            inFolder = std::make_unique<FolderHeld>(*P().fs, folder);
        }
        entries.append(SongEntry::join(newSongTitle(folder, path.mid(cut), namePesni), path));
    }
    return entries;
}

// Events let in on the way may have added some of the files meanwhile.
QStringList stillNew(const QStringList &entries) {
    const LowPath held = LoadLowPath();
    QStringList fresh;
    for (const QString &entry : entries) {
        if (!held.contains(songPath(entry)))
            fresh.append(entry);
    }
    return fresh;
}

// Whether the album's songs are other than those of the copy: any change
// since the copy was taken gave the album a list of its own.
bool changedSince(const SongList &before) {
    const SongList &now = frmForma().ListPath;
    return !now.isSharedWith(before) || now.size() != before.size();
}

} // namespace

// By value: the list may be the caller's, and events run on the way. The
// copy of the album is gone before the songs are appended: it would make the
// append copy the album whole.
void DropFiles(QStringList paths, int namePesni) {
    Slices slices;
    QStringList entries, silent;
    bool changed = false;
    {
        const SongList before = frmForma().ListPath;
        const Dropped dropped = droppedMp3Files(paths, slices);
        entries = newEntries(dropped.files, namePesni, slices);
        changed = changedSince(before);
        silent = dropped.silent;
    }
    if (changed)
        entries = stillNew(entries);
    slices.finish();
    if (!entries.isEmpty())
        appendSongs(entries);
    for (const QString &playlist : std::as_const(silent))
        P().dialogs->MsgBox(playlist + QStringLiteral("\r\n") + G().strNoSongs,
                            vbOKOnly | vbExclamation, G().strTitle);
}

void DropFilesM(const QStringList &paths, int namePesni) {
    runCommand([paths, namePesni] { DropFiles(paths, namePesni); });
}

} // namespace tv
