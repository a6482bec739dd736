#pragma once

// Shared set-up of the album tests: English texts, album files in AppDir
// and a registry aligned with the album list.

#include "Fakes.h"

#include "core/Cp1251.h"
#include "core/Forma.h"
#include "core/Globals.h"
#include "core/Language.h"

#include <QFile>
#include <QTest>

namespace tv::test {

// Album file bytes: the count line as given, then the songs, CR LF each.
inline QByteArray albumFile(const QString &countLine, const QStringList &songs) {
    QByteArray bytes = Cp1251::encode(countLine) + "\r\n";
    for (const QString &song : songs)
        bytes += Cp1251::encode(song) + "\r\n";
    return bytes;
}

// Songs "Song i" on drive C whose files exist, so that starting one works.
inline QStringList songsOnDisk(LogicEnv &env, int count) {
    QStringList songs;
    for (int i = 0; i < count; ++i) {
        const QString path = QStringLiteral("C:/Music/%1.mp3").arg(i);
        env.drives.put(path);
        songs << QStringLiteral("Song %1").arg(i) + path;
    }
    return songs;
}

// lstAlbomy and the registry hold these albums (remembered song 0 each).
inline void listAlbums(const QStringList &names) {
    frmForma().lstAlbomy.setItems(names);
    resizeAlboms(int(names.size()) - 1);
    for (int i = 0; i < names.size(); ++i)
        G().Alboms[i] = {names.at(i), 0};
}

// The registry as "name:song,name:song".
inline QString registry() {
    QStringList entries;
    for (const AlbomInfo &a : G().Alboms)
        entries << a.Name + QLatin1Char(':') + QString::number(a.NumPesni);
    return entries.join(QLatin1Char(','));
}

inline void englishTexts() {
    LanguageEnM();
}

inline QStringList prompts(const FakeDialogs &dialogs) {
    QStringList texts;
    for (const MsgCall &call : dialogs.msgs)
        texts << call.prompt;
    return texts;
}

} // namespace tv::test
