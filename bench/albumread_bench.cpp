// Reading an album against a floor measured in the same run: the file's bytes
// read and each mapped through a 256-entry table into UTF-16, the form the
// program holds text in. Goals, on the medians of the rounds: the whole read
// (file, decode, split into songs, the playlist refilled, the remembered song
// started) at most 1.5x the floor for 100,000 songs; 1,000,000 songs read and
// shown in the main window under 0.5 s, the process at its peak under 140 MiB
// and the songs held in at most 90 bytes each once the read is done (about 83,
// the same in every run).
// Run: tonvela_albumread_bench [songs]

#include "BenchSupport.h"
#include "core/AlbumCommands.h"
#include "core/AlbumFormat.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"
#include "platform/Ports.h"
#include "platform/qt/DriveFileSystem.h"
#include "ui/FormaWindow.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <vector>

using namespace tv;

namespace {

constexpr int kRounds = 51;
constexpr int kMillion = 1000000;

// The floor: the file read whole, then its bytes through the table.
class TableDecode {
public:
    explicit TableDecode(const QString &native) : m_path(QFile::encodeName(native).toStdString()) {
        for (int b = 0; b < 256; ++b) {
            const char byte = char(b);
            m_table[b] = Cp1251::decode(&byte, 1).at(0).unicode();
        }
    }
    double ms() {
        return bench::msOf([this] {
            const int fd = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
            struct stat st {};
            if (fd < 0 || ::fstat(fd, &st) != 0)
                return;
            m_bytes.resize(size_t(st.st_size));
            const ssize_t got = ::read(fd, m_bytes.data(), m_bytes.size());
            ::close(fd);
            m_text.resize(size_t(std::max<ssize_t>(got, 0)));
            for (size_t i = 0; i < m_text.size(); ++i)
                m_text[i] = m_table[uint8_t(m_bytes[i])];
        });
    }

private:
    std::string m_path;
    char16_t m_table[256];
    std::vector<char> m_bytes;
    std::vector<char16_t> m_text;
};

// Writes the album and a file for its first song; returns the album's path.
QString writeAlbum(const QString &nativeRoot, const QString &name, int count) {
    const QByteArray bytes = AlbumFormat::format(bench::cyrillicAlbum(count));
    QDir().mkpath(nativeRoot + QStringLiteral("/Музыка/Альбом 0"));
    QFile song(nativeRoot + QStringLiteral("/Музыка/Альбом 0/0.mp3"));
    QFile album(nativeRoot + QStringLiteral("/Tonvela/") + name);
    if (!song.open(QIODevice::WriteOnly) || !album.open(QIODevice::WriteOnly) ||
        album.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(album.fileName()));
    return album.fileName();
}

// The album is read as the album list opens it.
bool open(const QString &name) {
    frmForma().lstAlbomy.setItems({name});
    frmForma().lstAlbomy.setListIndex(0);
    return OpenAlbomM(name) == 0;
}

void readAgainstFloor(const QString &root, int count, bench::Goals &goals) {
    const QString name = QStringLiteral("read%1.alb").arg(count);
    const QString native = writeAlbum(root, name, count);
    TableDecode floor(native);
    bool ok = true;
    const std::vector<double> median = bench::medianOfRounds(
        kRounds, {
                     [&] { return floor.ms(); },
                     [&] { return bench::msOf([&] { ok = open(name) && ok; }); },
                 });
    std::printf("%d songs: read %.1f ms, table decode %.1f ms (medians of %d rounds)\n", count,
                median[1], median[0], kRounds);
    goals.atMost("album read, ratio to the table decode", median[1] / median[0], 1.5, "x");
    goals.holds("every song read", ok && frmForma().ListPath.size() == count);
}

long residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (::sysconf(_SC_PAGESIZE) / 1024) : 0;
}

// The peak of this program's own memory. Not getrusage: its maximum counts
// the pages of the parent, which this process was forked from before exec.
long peakKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// A million songs read into the main window, which then paints its list: in a
// process of its own, so that its peak is the read's alone. Prints the time,
// the peak and the settled size for the parent to read.
int millionChild() {
    const QString name = QStringLiteral("shown%1.alb").arg(kMillion);
    ui::FormaWindow window;
    window.show();
    QApplication::processEvents();
    const long before = residentKiB();
    const double ms = bench::msOf([&] {
        open(name);
        QApplication::processEvents();
        window.PlayList()->viewport()->repaint();
    });
    const long settled = residentKiB() - before;
    const bool ok = window.PlayList()->model()->rowCount() == kMillion;
    std::printf("%.3f %ld %ld %d\n", ms, peakKiB(), settled, ok ? 1 : 0);
    return 0;
}

void readAndShow(const QString &root, bench::Goals &goals) {
    writeAlbum(root, QStringLiteral("shown%1.alb").arg(kMillion), kMillion);
    std::vector<double> ms, peak, perSong;
    bool ok = true;
    for (int round = 0; round < 5; ++round) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--million"), root});
        child.waitForFinished(-1);
        const QList<QByteArray> out = child.readAllStandardOutput().simplified().split(' ');
        ok = ok && out.size() == 4 && out.at(3) == "1";
        if (out.size() != 4)
            break;
        ms.push_back(out.at(0).toDouble());
        peak.push_back(out.at(1).toDouble() / 1024);
        perSong.push_back(out.at(2).toDouble() * 1024 / kMillion);
    }
    std::printf("%d songs read and shown (medians of %zu runs):\n", kMillion, ms.size());
    goals.atMost("read and shown", bench::median(ms), 500, "ms");
    goals.atMost("the process at its peak", bench::median(peak), 140, "MiB");
    goals.atMost("held once read, per song", bench::median(perSong), 90, "B");
    goals.holds("a million songs read and shown", ok);
}

void installPorts(const QString &root, DriveFileSystem &fs) {
    P().fs = &fs;
    G().AppDir = QStringLiteral("C:/Tonvela/");
    G().PathSep = QStringLiteral("/");
    QDir().mkpath(root + QStringLiteral("/Tonvela"));
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool child = argc > 2 && std::strcmp(argv[1], "--million") == 0;
    QTemporaryDir dir;
    const QString root = child ? QString::fromLocal8Bit(argv[2]) : dir.path();
    DriveFileSystem fs({{QStringLiteral("C"), root}});
    bench::SilentPorts ports(fs, MediaPlayer::Playing, true);
    installPorts(root, fs);
    if (child)
        return millionChild();

    bench::Goals goals;
    readAgainstFloor(root, argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 100000, goals);
    readAndShow(root, goals);
    return goals.exitCode();
}
