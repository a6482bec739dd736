#pragma once

#include <QString>

namespace tv {

// Where an installed program finds its parts and keeps the user's files.
struct InstallFolders {
    QString modules; // the sound and web modules
    QString program; // the help pages
    QString user;    // albums, settings, "Language"
    QString music;   // a first start's add-files folder; empty: user
    bool userWritable = true;

    // Portable: everything in the executable's folder, as it always was.
    // System (the package's layout): modules and help pages at moduleDir and
    // programDir (relative to the executable's folder), the user's files in
    // $XDG_DATA_HOME/tonvela, made here with its "Language" folder, and the
    // first browser in the user's music folder (else the home folder).
    static InstallFolders portable(const QString &exeDir);
    static InstallFolders system(const QString &exeDir, const QString &moduleDir,
                                 const QString &programDir);
};

} // namespace tv
