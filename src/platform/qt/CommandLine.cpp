#include "platform/qt/CommandLine.h"

namespace tv {

namespace {

CommandLine option(const QString &argument) {
    CommandLine line;
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
        line.what = CommandLine::Help;
    else if (argument == QLatin1String("--version"))
        line.what = CommandLine::Version;
    else
        line = {CommandLine::Wrong, {}, argument};
    return line;
}

} // namespace

// The first option decides; a lone "-" is a file name as any other.
CommandLine CommandLine::read(const QStringList &arguments) {
    CommandLine line;
    bool options = true;
    for (const QString &argument : arguments) {
        if (options && argument == QLatin1String("--"))
            options = false;
        else if (options && argument.size() > 1 && argument.startsWith(QLatin1Char('-')))
            return option(argument);
        else
            line.files.append(argument);
    }
    return line;
}

QString CommandLine::usage() {
    return QStringLiteral("Usage: tonvela [OPTION]... [--] [FILE]...\n"
                          "Play MP3 files and keep them in albums.\n"
                          "\n"
                          "Each FILE (an MP3 file, a folder or an M3U playlist) joins the open\n"
                          "album and the first one added plays; when the program already runs,\n"
                          "the files are handed to it.\n"
                          "\n"
                          "  -h, --help     show this help and exit\n"
                          "      --version  show the version and exit\n"
                          "  --             end the options: the arguments after it are files\n");
}

QString CommandLine::version() {
    return QStringLiteral("tonvela " TV_VERSION "\n");
}

} // namespace tv
