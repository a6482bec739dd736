#include "core/SettingsFile.h"

#include "core/Forma.h"
#include "core/Globals.h"
#include "core/TextLines.h"

#include <QStringList>

namespace tv {

const char *const kSettingsFileName = "Тонвела для mp3.ini";

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

    bool text(QString *value) {
        if (atEnd())
            return false;
        *value = m_lines.at(m_pos++);
        return true;
    }

    // A line without a number is consumed and its value left alone.
    bool number(int *value) {
        QString line;
        return text(&line) && TextLines::parseNumber(line, value);
    }

    bool flagLine(bool *value) {
        QString line;
        if (!text(&line))
            return false;
        *value = line == QLatin1String("True");
        return true;
    }

private:
    QStringList m_lines;
    qsizetype m_pos = 0;
};

// A marker can never be an album file name (those end in ".alb"), so it
// means the entries stopped short of their count. The count itself is not
// trusted with memory: entries are kept as they are actually found.
void readAlboms(Reader &in) {
    int ub = -1;
    if (!in.number(&ub))
        return;
    QVector<AlbomInfo> alboms;
    for (int i = 0; i <= ub && !in.atEnd() && !isMarker(in.peek()); ++i) {
        AlbomInfo entry;
        in.text(&entry.Name);
        if (!in.atEnd() && !isMarker(in.peek()))
            in.number(&entry.NumPesni);
        alboms.append(entry);
    }
    G().Alboms = alboms;
    G().AlbomUB = int(alboms.size()) - 1;
}

void readSection(const QString &key, Reader &in) {
    Globals &g = G();
    if (key == kLanguage) {
        int language = 0;
        if (in.number(&language))
            g.Language = language == 1 ? 1 : 0;
    } else if (key == kAlbom) {
        readAlboms(in);
    } else if (key == kShowForm) {
        in.flagLine(&g.ShowForm);
    } else if (key == kMusicNonStop) {
        bool tick = false;
        if (in.flagLine(&tick)) {
            frmForma().MusicNonStop.setChecked(tick);
            frmForma().pMenuNonStop.setChecked(tick);
        }
    } else if (key == kNameEndAlbom) {
        in.text(&g.NameEndAlbom);
    } else if (key == kNamePesni) {
        in.number(&g.NamePesni);
    } else if (key == kStrDir) {
        in.text(&g.strDir);
    }
}

// The count and the entries. Never more entries than the registry holds,
// and none whose name would break its line: the next start would read the
// rest of such a name as settings.
void appendAlboms(QStringList &lines) {
    const Globals &g = G();
    const int ub = qBound(-1, g.AlbomUB, int(g.Alboms.size()) - 1);
    QStringList entries;
    for (int i = 0; i <= ub; ++i) {
        if (TextLines::fitsLine(g.Alboms.at(i).Name))
            entries << g.Alboms.at(i).Name << TextLines::number(g.Alboms.at(i).NumPesni);
    }
    lines << TextLines::number(int(entries.size() / 2) - 1) << entries;
}

} // namespace

void readSettings(const QByteArray &bytes) {
    Reader in(TextLines::decode(bytes));
    QString key;
    while (in.text(&key))
        readSection(key, in);
}

QByteArray writeSettings() {
    const Globals &g = G();
    QStringList lines;
    lines << kLanguage << TextLines::number(g.Language);
    lines << kAlbom;
    appendAlboms(lines);
    lines << kShowForm << flag(g.ShowForm);
    lines << kMusicNonStop << flag(frmForma().MusicNonStop.Checked());
    lines << kNameEndAlbom << (TextLines::fitsLine(g.NameEndAlbom) ? g.NameEndAlbom : QString());
    lines << kNamePesni << TextLines::number(g.NamePesni);
    lines << kStrDir << (TextLines::fitsLine(g.strDir) ? g.strDir : g.AppDir);
    return TextLines::encode(lines);
}

} // namespace tv
