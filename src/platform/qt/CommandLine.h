#pragma once

#include <QString>
#include <QStringList>

namespace tv {

// What the program's command line asks: the files to open (the desktop's
// "Open with"), or the help or the version on standard output, as a Linux
// program answers them. "--" ends the options: every argument after it is a
// file, also one that begins with "-".
struct CommandLine {
    enum What { Run, Help, Version, Wrong };
    What what = Run;
    QStringList files; // as given: relative ones are the caller's to resolve
    QString wrong;     // the option not known, for Wrong

    // The arguments without the program's own name.
    static CommandLine read(const QStringList &arguments);
    // The text that --help prints, and --version.
    static QString usage();
    static QString version();
};

} // namespace tv
