#pragma once

#include "core/Globals.h"

#include <QByteArray>
#include <QString>
#include <QVector>
#include <optional>

namespace tv {

// What the settings file holds. A section the file lacks (or whose value
// line is unusable) stays empty, so that applying it leaves that value as
// start-up set it.
struct Settings {
    std::optional<int> Language;
    std::optional<QVector<AlbomInfo>> Alboms;
    std::optional<bool> ShowForm;
    std::optional<bool> MusicNonStop;
    std::optional<QString> NameEndAlbom;
    std::optional<int> NamePesni;
    std::optional<QString> strDir;

    bool operator==(const Settings &other) const;
};

// The settings file's bytes and its values, both ways, touching no state:
// the start-up read, the shutdown write and the fuzz target share it.
struct SettingsFormat {
    static Settings parse(const QByteArray &bytes);
    // Every section, empty ones with their defaults. A text that would break
    // its line is written empty, an album entry with such a name left out:
    // the next start would read the rest of it as settings.
    static QByteArray format(const Settings &settings);
};

} // namespace tv
