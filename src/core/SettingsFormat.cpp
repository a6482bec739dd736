#include "core/SettingsFormat.h"

#include "core/TextLines.h"

#include <QStringList>

namespace tv {

namespace {

const QString kLanguage = QStringLiteral("[language]");
const QString kAlbom = QStringLiteral("[albom]");
const QString kShowForm = QStringLiteral("[showform]");
const QString kMusicNonStop = QStringLiteral("[musicnonstop]");
const QString kNameEndAlbom = QStringLiteral("[nameendalbom]");
const QString kNamePesni = QStringLiteral("[namepesni]");
const QString kStrDir = QStringLiteral("[strDir]");

bool isMarker(const QString &line) {
    return line == kLanguage || line == kAlbom || line == kShowForm || line == kMusicNonStop ||
           line == kNameEndAlbom || line == kNamePesni || line == kStrDir;
}

QString flag(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

// The lines of the file and how far they have been read. Values are taken
// whole, so commas, blanks and quotes in names come back as they were.
class Reader {
public:
    explicit Reader(QStringList lines) : m_lines(std::move(lines)) {}

    bool atEnd() const { return m_pos >= m_lines.size(); }
    QString peek() const { return m_lines.at(m_pos); }

    std::optional<QString> text() {
        if (atEnd())
            return std::nullopt;
        return m_lines.at(m_pos++);
    }

    // A line without a number is consumed and gives nothing.
    std::optional<int> number() {
        int value = 0;
        const std::optional<QString> line = text();
        if (line && TextLines::parseNumber(*line, &value))
            return value;
        return std::nullopt;
    }

    std::optional<bool> flagLine() {
        const std::optional<QString> line = text();
        if (!line)
            return std::nullopt;
        return *line == QLatin1String("True");
    }

private:
    QStringList m_lines;
    qsizetype m_pos = 0;
};

// A marker can never be an album file name (those end in ".alb"), so it
// means the entries stopped short of their count. The count itself is not
// trusted with memory: entries are kept as they are actually found.
std::optional<QVector<AlbomInfo>> readAlboms(Reader &in) {
    const std::optional<int> ub = in.number();
    if (!ub)
        return std::nullopt;
    QVector<AlbomInfo> alboms;
    for (int i = 0; i <= *ub && !in.atEnd() && !isMarker(in.peek()); ++i) {
        AlbomInfo entry;
        entry.Name = *in.text();
        if (!in.atEnd() && !isMarker(in.peek()))
            entry.NumPesni = in.number().value_or(entry.NumPesni);
        alboms.append(entry);
    }
    return alboms;
}

// A section met again overrides what it gave before; a value line that
// gives nothing keeps it.
template <class T> void take(std::optional<T> &field, std::optional<T> value) {
    if (value)
        field = std::move(value);
}

void readSection(const QString &key, Reader &in, Settings &s) {
    if (key == kLanguage) {
        if (const std::optional<int> language = in.number())
            s.Language = *language == 1 ? 1 : 0;
    } else if (key == kAlbom) {
        take(s.Alboms, readAlboms(in));
    } else if (key == kShowForm) {
        take(s.ShowForm, in.flagLine());
    } else if (key == kMusicNonStop) {
        take(s.MusicNonStop, in.flagLine());
    } else if (key == kNameEndAlbom) {
        take(s.NameEndAlbom, in.text());
    } else if (key == kNamePesni) {
        take(s.NamePesni, in.number());
    } else if (key == kStrDir) {
        take(s.strDir, in.text());
    }
}

QString lineOf(const std::optional<QString> &text) {
    return text && TextLines::fitsLine(*text) ? *text : QString();
}

void appendAlboms(QStringList &lines, const QVector<AlbomInfo> &alboms) {
    QStringList entries;
    for (const AlbomInfo &albom : alboms) {
        if (TextLines::fitsLine(albom.Name))
            entries << albom.Name << TextLines::number(albom.NumPesni);
    }
    lines << TextLines::number(int(entries.size() / 2) - 1) << entries;
}

} // namespace

bool Settings::operator==(const Settings &other) const {
    const auto sameAlboms = [](const QVector<AlbomInfo> &a, const QVector<AlbomInfo> &b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](const AlbomInfo &x, const AlbomInfo &y) {
                              return x.Name == y.Name && x.NumPesni == y.NumPesni;
                          });
    };
    return Language == other.Language && ShowForm == other.ShowForm &&
           MusicNonStop == other.MusicNonStop && NameEndAlbom == other.NameEndAlbom &&
           NamePesni == other.NamePesni && strDir == other.strDir &&
           Alboms.has_value() == other.Alboms.has_value() &&
           (!Alboms || sameAlboms(*Alboms, *other.Alboms));
}

Settings SettingsFormat::parse(const QByteArray &bytes) {
    Settings settings;
    Reader in(TextLines::decode(bytes));
    while (const std::optional<QString> key = in.text())
        readSection(*key, in, settings);
    return settings;
}

QByteArray SettingsFormat::format(const Settings &s) {
    QStringList lines;
    lines << kLanguage << TextLines::number(s.Language.value_or(0));
    lines << kAlbom;
    appendAlboms(lines, s.Alboms.value_or(QVector<AlbomInfo>()));
    lines << kShowForm << flag(s.ShowForm.value_or(true));
    lines << kMusicNonStop << flag(s.MusicNonStop.value_or(false));
    lines << kNameEndAlbom << lineOf(s.NameEndAlbom);
    lines << kNamePesni << TextLines::number(s.NamePesni.value_or(0));
    lines << kStrDir << lineOf(s.strDir);
    return TextLines::encode(lines);
}

} // namespace tv
