// Writes the program icon in the sizes a desktop's icon theme asks for, as
// <folder>/hicolor/<n>x<n>/apps/tonvela.png.
#include "ui/Bitmaps.h"

#include <QDir>
#include <cstdio>

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        const QString file = dir + QStringLiteral("/tonvela.png");
        if (!QDir().mkpath(dir) || !tv::ui::programIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
