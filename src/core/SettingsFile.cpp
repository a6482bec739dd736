#include "core/SettingsFile.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"

namespace tv {

const char *const kSettingsFileName = "Тонвела для mp3.ini";

void applySettings(const Settings &s) {
    Globals &g = G();
    g.Language = s.Language.value_or(g.Language);
    if (s.Alboms)
        g.Alboms = *s.Alboms;
    g.ShowForm = s.ShowForm.value_or(g.ShowForm);
    if (s.MusicNonStop) {
        frmForma().MusicNonStop.setChecked(*s.MusicNonStop);
        frmForma().pMenuNonStop.setChecked(*s.MusicNonStop);
    }
    g.NameEndAlbom = s.NameEndAlbom.value_or(g.NameEndAlbom);
    g.NamePesni = s.NamePesni.value_or(g.NamePesni);
    g.strDir = s.strDir.value_or(g.strDir);
}

// Never more entries than the registry holds. A folder that the file could
// not hold is remembered as the program's own.
Settings currentSettings() {
    const Globals &g = G();
    Settings s;
    s.Language = g.Language;
    s.Alboms = g.Alboms;
    s.ShowForm = g.ShowForm;
    s.MusicNonStop = frmForma().MusicNonStop.Checked();
    s.NameEndAlbom = g.NameEndAlbom;
    s.NamePesni = g.NamePesni;
    s.strDir = TextLines::fitsLine(g.strDir) ? g.strDir : g.AppDir;
    return s;
}

void readSettings(const QByteArray &bytes) {
    applySettings(SettingsFormat::parse(bytes));
}

QByteArray writeSettings() {
    return SettingsFormat::format(currentSettings());
}

} // namespace tv
