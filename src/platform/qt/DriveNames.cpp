#include "platform/qt/DriveNames.h"

#include <QFile>
#include <algorithm>
#include <numeric>
#include <string>
#include <string_view>
#include <vector>

namespace tv::drive {

// A lettered path cannot hold ":" (only the drive's) or "\" (a separator)
// in a name, nor a control character (it would end the album's line), nor a
// byte that is no part of a UTF-8 character (no text holds one). A native
// name keeps each of them as U+F000 plus its code (its byte), as
// Windows-compatible tools do. U+F000 itself (the code of NUL, which no name
// holds) marks a native character that is taken as it is: a native name that
// holds one of these stand-ins comes back unchanged too.
constexpr QChar kColonStandIn(0xF03A);
constexpr QChar kBackslashStandIn(0xF05C);
constexpr QChar kAsItIs(0xF000);

QChar standIn(uint code) {
    return QChar(char16_t(kAsItIs.unicode() + code));
}

// Whether the character lies where the stand-ins are (any of them, or a
// character a name may hold there itself): a name without one maps plainly.
bool inStandInBlock(QChar c) {
    return (c.unicode() & 0xFF00) == kAsItIs.unicode();
}

bool isControlStandIn(char16_t u) {
    return u > kAsItIs.unicode() && u < kAsItIs.unicode() + 0x20;
}

bool isByteStandIn(char16_t u) {
    return u >= kAsItIs.unicode() + 0x80 && u <= kAsItIs.unicode() + 0xFF;
}

bool isStandIn(char16_t u) {
    return u == kAsItIs.unicode() || u == kColonStandIn.unicode() ||
           u == kBackslashStandIn.unicode() || isControlStandIn(u) || isByteStandIn(u);
}

QString cleanRoot(QString root) {
    while (root.size() > 1 && root.endsWith(QLatin1Char('/')))
        root.chop(1);
    return root;
}

bool underRoot(const QString &native, const QString &root) {
    if (root == QLatin1String("/"))
        return native.startsWith(QLatin1Char('/'));
    return native == root || native.startsWith(root + QLatin1Char('/'));
}

// Removable volumes are mounted here: /media/USER/NAME, /run/media/USER/NAME,
// /mnt/NAME.
bool isRemovableMount(const QString &root) {
    const QStringList parts = root.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() == 3 && parts[0] == QLatin1String("media"))
        return true;
    if (parts.size() == 4 && parts[0] == QLatin1String("run") && parts[1] == QLatin1String("media"))
        return true;
    return parts.size() == 2 && parts[0] == QLatin1String("mnt");
}

// A native path's names as the program holds them; "/" stays the separator.
QString nameFromNative(QStringView native) {
    QString out;
    out.reserve(native.size());
    for (const QChar c : native) {
        const char16_t u = c.unicode();
        if (c == QLatin1Char(':'))
            out += kColonStandIn;
        else if (c == QLatin1Char('\\'))
            out += kBackslashStandIn;
        else if (u > 0 && u < 0x20)
            out += standIn(u);
        else if (isStandIn(u))
            out += kAsItIs + QString(c);
        else
            out += c;
    }
    return out;
}

// How many bytes the UTF-8 character at p takes, or 0 when the bytes there
// are none: a stray byte, a cut or overlong sequence, a surrogate, a code
// beyond U+10FFFF.
int utf8Length(const uchar *p, const uchar *end) {
    static constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (*p < 0x80)
        return 1;
    const int n = *p >= 0xC2 && *p <= 0xDF   ? 2
                  : *p >= 0xE0 && *p <= 0xEF ? 3
                  : *p >= 0xF0 && *p <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || end - p < n)
        return 0;
    char32_t c = *p & (0x7F >> n);
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0) != 0x80)
            return 0;
        c = (c << 6) | (p[i] & 0x3F);
    }
    return c < kLeast[n] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF) ? 0 : n;
}

// A name as the disk holds it: its UTF-8 runs as text, each other byte as
// its stand-in, so that a name written by a system in another code page can
// still be found again.
QString nameFromNativeBytes(QByteArrayView bytes) {
    const auto *begin = reinterpret_cast<const uchar *>(bytes.data());
    const uchar *const end = begin + bytes.size();
    QString out;
    const uchar *run = begin;
    for (const uchar *p = begin; p < end;) {
        if (const int n = utf8Length(p, end)) {
            p += n;
            continue;
        }
        out += nameFromNative(QString::fromUtf8(reinterpret_cast<const char *>(run), p - run));
        out += standIn(*p);
        run = ++p;
    }
    return out + nameFromNative(QString::fromUtf8(reinterpret_cast<const char *>(run), end - run));
}

// One character of a lettered name as the native name holds it, or (byte
// not below 0) one byte of a native name that is not UTF-8. i moves past a
// marked character.
struct NativeUnit {
    QChar c;
    int byte = -1;
};

NativeUnit nativeUnit(QStringView lettered, qsizetype &i) {
    const QChar c = lettered.at(i);
    const char16_t u = c.unicode();
    if (c == kAsItIs && i + 1 < lettered.size())
        return {lettered.at(++i)};
    if (c == QLatin1Char('\\') || c == QLatin1Char('/'))
        return {QLatin1Char('/')};
    if (c == kColonStandIn)
        return {QLatin1Char(':')};
    if (c == kBackslashStandIn)
        return {QLatin1Char('\\')};
    if (isControlStandIn(u))
        return {QChar(char16_t(u - kAsItIs.unicode()))};
    if (isByteStandIn(u))
        return {QChar(), int(u - kAsItIs.unicode())};
    return {c};
}

// The other way: both separators become "/", the stand-ins their
// characters. False when a stand-in is a byte, which no QString holds.
bool nameToNative(QStringView lettered, QString *out) {
    // Most names hold no stand-in: only their backslashes change, and every
    // title the browser reads comes through here.
    if (std::none_of(lettered.begin(), lettered.end(), inStandInBlock)) {
        *out = lettered.toString();
        out->replace(QLatin1Char('\\'), QLatin1Char('/'));
        return true;
    }
    out->reserve(lettered.size());
    for (qsizetype i = 0; i < lettered.size(); ++i) {
        const NativeUnit unit = nativeUnit(lettered, i);
        if (unit.byte >= 0)
            return false;
        *out += unit.c;
    }
    return true;
}

QByteArray nameToNativeBytes(QStringView lettered) {
    QByteArray out;
    QString text;
    for (qsizetype i = 0; i < lettered.size(); ++i) {
        const NativeUnit unit = nativeUnit(lettered, i);
        if (unit.byte < 0) {
            text += unit.c;
            continue;
        }
        out += QFile::encodeName(text) + char(unit.byte);
        text.clear();
    }
    return out + QFile::encodeName(text);
}

bool plainName(QStringView lettered) {
    const auto apart = [](QChar c) {
        return c == QLatin1Char('/') || c == QLatin1Char('\\') || inStandInBlock(c);
    };
    return !lettered.isEmpty() && std::none_of(lettered.begin(), lettered.end(), apart);
}

namespace {

// A name in capitals unit by unit, a low surrogate standing for its whole
// pair: Windows compares names so when it lists a folder, which puts "[" and
// "_" after the Latin letters and "Ё" before "А". Each unit is appended in the
// form UTF-8 gives a code point, whose bytes compare in the order of the
// values: keys compare as plain bytes.
void appendFoldedKey(const QString &name, std::string *keys) {
    char16_t last = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        const char16_t unit = name.at(i).unicode();
        char32_t c = unit;
        if (QChar::isLowSurrogate(unit) && QChar::isHighSurrogate(last))
            c = QChar::surrogateToUcs4(last, unit);
        c = c < 0x80 ? (c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c) : QChar::toUpper(c);
        if (c < 0x80) {
            keys->push_back(char(c));
        } else if (c < 0x800) {
            keys->push_back(char(0xC0 | c >> 6));
            keys->push_back(char(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            keys->push_back(char(0xE0 | c >> 12));
            keys->push_back(char(0x80 | (c >> 6 & 0x3F)));
            keys->push_back(char(0x80 | (c & 0x3F)));
        } else {
            keys->push_back(char(0xF0 | c >> 18));
            keys->push_back(char(0x80 | (c >> 12 & 0x3F)));
            keys->push_back(char(0x80 | (c >> 6 & 0x3F)));
            keys->push_back(char(0x80 | (c & 0x3F)));
        }
        last = unit;
    }
}

} // namespace

// Windows lists names without regard to case; equal ones keep a fixed order.
// Each name is folded once, not at each of the comparisons of a folder of
// 100,000 files, into one buffer of keys. The ids, when given, follow their
// names.
void sortNames(QStringList &names, QList<FileId> *ids) {
    std::string keys;
    std::vector<size_t> starts{0};
    starts.reserve(size_t(names.size()) + 1);
    for (const QString &name : std::as_const(names)) {
        appendFoldedKey(name, &keys);
        starts.push_back(keys.size());
    }
    const auto key = [&](qsizetype i) {
        return std::string_view(keys).substr(starts[size_t(i)],
                                             starts[size_t(i) + 1] - starts[size_t(i)]);
    };
    std::vector<qsizetype> order(size_t(names.size()));
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
        const int c = key(a).compare(key(b));
        return c != 0 ? c < 0 : names.at(a) < names.at(b);
    });
    QStringList sorted;
    sorted.reserve(names.size());
    for (const qsizetype i : order)
        sorted.append(std::move(names[i]));
    names = std::move(sorted);
    if (!ids)
        return;
    QList<FileId> sortedIds;
    sortedIds.reserve(ids->size());
    for (const qsizetype i : order)
        sortedIds.append(ids->at(i));
    *ids = std::move(sortedIds);
}

} // namespace tv::drive
