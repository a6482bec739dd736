#pragma once

#include <QString>

namespace tv {

// Where an installed program finds its help pages and keeps the user's files.
// (Its modules it finds before the application object: executableFolder.)
struct InstallFolders {
    QString program; // the help pages
    QString user;    // albums, settings, "Language"
    QString music;   // a first start's add-files folder; empty: user
    bool userWritable = true;

    // Portable: everything in the executable's folder, as it always was.
    // System (the package's layout): help pages at programDir (relative to
    // the executable's folder), the user's files in
    // $XDG_DATA_HOME/tonvela, made here with its "Language" folder, and the
    // first browser in the user's music folder (else the home folder).
    static InstallFolders portable(const QString &exeDir);
    static InstallFolders system(const QString &exeDir, const QString &programDir);
};

} // namespace tv
