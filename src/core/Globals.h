#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace tv {

// One entry of the album registry: the album file (relative to AppDir) and
// the index of the song last started in it (-1: none yet).
struct AlbomInfo {
    QString Name;
    int NumPesni = 0;
};

// One hit of the search across all albums.
struct FoundInfo {
    QString Albom;
    QString Title;
    QString Path;
};

// The interface texts of the chosen language; filled by LanguageRuM/LanguageEnM.
struct Texts {
    QString strHelpFile, strTitle, strAddAll, strAddFile, strFileExists, strReplaceIt,
        strWriteProtected, strCantSave, strNotFound, strCantOpen, strSaveChanges, strChange,
        strCancel, strSelectLang, strAlboms, strFrom, strTo, strReplaceCount, strNameFromFile,
        strAdding, strNoSongs;
};

// Every variable shared between the program's routines, under its own name.
// Everything runs on the one UI thread, so nothing here is guarded.
struct Globals : Texts {
    // Album registry, index-aligned with lstAlbomy; its upper bound (-1:
    // empty) is its size, not stored apart.
    QVector<AlbomInfo> Alboms;
    int AlbomUB() const { return int(Alboms.size()) - 1; }

    // The open album and song.
    int NumAlbom = 0;
    QString NameAlbom;
    QString NameEndAlbom;
    int NumPesni = -1;
    int AlbomChanged = 0;

    // Options and paths. Paths are lettered ("Z:/home/u/Tonvela/").
    // AppDir holds the user's albums, settings and redirect pages; ProgramDir
    // the program's own files (the help pages). A portable install has both
    // in the executable's folder, a system install keeps them apart.
    QString AppDir;
    QString ProgramDir;
    QString PathSep = QStringLiteral("\\");
    QString strDir;
    int NamePesni = 0;
    int Language = 0;
    bool ShowForm = true;

    // The last search's results: they outlive the search window.
    QVector<FoundInfo> Found;
    int FoundUB() const { return int(Found.size()) - 1; }
};

Globals &G();

// Back to the values a fresh process starts with (tests start every case here).
void resetGlobals();

} // namespace tv
