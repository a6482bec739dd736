#pragma once

// Shared set-up of the core tests: tables, English texts, album files in AppDir
// and a registry aligned with the album list.

#include "Fakes.h"

#include "core/AlbumCommands.h"
#include "core/AlbumList.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"

#include <QFile>

namespace tv::test {

// Drive C of a test, made the file system: it notes each file written and
// each listing of albums. Writes to a locked file (one a browser holds open
// on Windows) or to a full disk fail, and as on the real disk they leave the
// old file alone.
class WatchedFs : public DriveFileSystem {
public:
    explicit WatchedFs(LogicEnv &env) : DriveFileSystem({{"C", env.drives.native("C:/")}}) {
        P().fs = this;
    }
    FileError writeFile(const QString &path, const QByteArray &data) override {
        writes << path;
        return full || locked.contains(path) ? FileError::Other
                                             : DriveFileSystem::writeFile(path, data);
    }
    QStringList listFiles(const QString &dir, const QString &extension) const override {
        ++listings;
        return DriveFileSystem::listFiles(dir, extension);
    }
    QStringList writes, locked;
    bool full = false;
    mutable int listings = 0;
};

// A logic test with English texts.
struct AlbumEnv : LogicEnv {
    AlbumEnv() { LanguageEnM(); }

    // Albums of n songs each, the one at `index` open; no player calls yet.
    void openAlbum(const QStringList &names, int index, int songs) {
        for (const QString &name : names)
            drives.put(app(name), albumFile(QString::number(songs), songsOnDisk(songs)));
        listAlbums(names);
        frmForma().lstAlbomy.setListIndex(index);
        QCOMPARE(OpenAlbomM(names.at(index)), 0);
        player.calls.clear();
    }

    // The messages shown, "first|second".
    QString said() const {
        QStringList texts;
        for (const MsgCall &call : dialogs.msgs)
            texts << call.prompt;
        return texts.join(QLatin1Char('|'));
    }

    // The first file dialog as "open <dir><name>" or "save <dir><name>".
    QString fileDialog() const {
        const FileDialogCall call = dialogs.fileCalls.value(0);
        return QLatin1String(call.isSave ? "save " : "open ") + call.dir + call.fileName;
    }
};

// The registry as "name:song,name:song".
inline QString registry() {
    QStringList entries;
    for (const AlbomInfo &a : G().Alboms)
        entries << a.Name + QLatin1Char(':') + QString::number(a.NumPesni);
    return entries.join(QLatin1Char(','));
}

// The open album as "NameAlbom|NumAlbom|selected entry|AlbomChanged".
inline QString openState() {
    return QStringLiteral("%1|%2|%3|%4")
        .arg(G().NameAlbom)
        .arg(G().NumAlbom)
        .arg(frmForma().lstAlbomy.ListIndex())
        .arg(G().AlbomChanged);
}

} // namespace tv::test
