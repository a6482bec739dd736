// The settings format on any file: it parses without harm, and what it
// formats parses back to the same values, every section present, the texts
// that a line cannot hold left empty and such album entries left out.
#include "FuzzCheck.h"

#include "core/Settings.h"
#include "core/TextLines.h"

#include <QCoreApplication>

using namespace tv;

namespace {

QString fitting(const std::optional<QString> &text) {
    return text && TextLines::fitsLine(*text) ? *text : QString();
}

// What the file must give back once written: every section, with its default
// where the read gave nothing.
Settings written(const Settings &read) {
    Settings s;
    s.Language = read.Language.value_or(0);
    s.Alboms.emplace();
    for (const AlbomInfo &albom : read.Alboms.value_or(QVector<AlbomInfo>()))
        if (TextLines::fitsLine(albom.Name))
            s.Alboms->append(albom);
    s.ShowForm = read.ShowForm.value_or(true);
    s.MusicNonStop = read.MusicNonStop.value_or(false);
    s.NameEndAlbom = fitting(read.NameEndAlbom);
    s.NamePesni = read.NamePesni.value_or(0);
    s.strDir = fitting(read.strDir);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    static QCoreApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const Settings read =
        SettingsFormat::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const QByteArray bytes = SettingsFormat::format(read);
    fuzz::check(SettingsFormat::parse(bytes) == written(read), "parse, format, parse");
    return 0;
}
