#include "core/SongList.h"

#include "core/TextLines.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace tv {

namespace {

bool allFit1251(const QStringList &entries) {
    for (const QString &entry : entries) {
        if (!Cp1251::fits(entry))
            return false;
    }
    return true;
}

} // namespace

// The store is made to the entries' size once (in place, when it grows),
// rather than copied whole each time they outgrow it. A 1251 entry takes a
// byte a character.
void SongList::reserveFor(const QStringList &entries) {
    reserve(size() + entries.size());
    qsizetype bytes = 0;
    for (const QString &entry : entries)
        bytes += m_utf8 ? Utf8::size(entry) : entry.size();
    m_store.reserve(qMin(m_store.size() + bytes, kMaxStore));
}

SongList::SongList(const QStringList &entries) {
    m_utf8 = !allFit1251(entries);
    reserveFor(entries);
    for (const QString &entry : entries)
        appendEntry(entry);
}

SongList &SongList::operator=(const QStringList &entries) {
    *this = SongList(entries);
    return *this;
}

SongList SongList::fromStore(QByteArray store, bool utf8, Sizes sizes) {
    SongList songs;
    songs.m_store = std::move(store);
    songs.m_utf8 = utf8;
    songs.m_at = std::move(sizes);
    return songs;
}

void SongList::reserve(qsizetype entries) {
    m_at.reserve(entries);
}

void SongList::Sizes::reserve(qsizetype entries) {
    m_sizes.reserve(entries);
    m_checks.reserve(entries / kBlock + 1);
}

qsizetype SongList::longSizeOf(qsizetype i) const {
    const auto found =
        std::lower_bound(m_at.m_long.cbegin(), m_at.m_long.cend(), i,
                         [](const Sizes::LongSize &l, qsizetype at) { return l.index < at; });
    return found->size;
}

void SongList::Sizes::add(qsizetype start, qsizetype size) {
    const qsizetype i = m_sizes.size();
    if (i % kBlock == 0)
        m_checks.append(quint32(start));
    if (size >= kLong)
        m_long.append({i, quint32(size)});
    m_sizes.append(char(qMin<qsizetype>(size, kLong)));
}

QString SongList::decode(QByteArrayView bytes) const {
    return m_utf8 ? Utf8::decode(bytes.data(), bytes.size()) : Cp1251::decode(bytes);
}

QString SongList::at(qsizetype i) const {
    return decode(bytesAt(i));
}

QString SongList::value(qsizetype i, const QString &fallback) const {
    return i < 0 || i >= size() ? fallback : at(i);
}

qsizetype SongList::indexOf(const QString &entry, qsizetype from) const {
    // 1251 gives every text it holds one spelling, so the bytes can be
    // compared; UTF-8 read from a file may spell one text in several ways.
    if (!m_utf8 && !Cp1251::fits(entry))
        return -1;
    const QByteArray bytes = m_utf8 ? QByteArray() : Cp1251::encode(entry);
    qsizetype found = -1;
    everyBytes([&](qsizetype i, QByteArrayView held) {
        if (i >= from && (m_utf8 ? decode(held) == entry : held == bytes))
            found = i;
        return found < 0;
    });
    return found;
}

QStringList SongList::mid(qsizetype pos, qsizetype length) const {
    pos = qBound<qsizetype>(0, pos, size());
    const qsizetype end = length < 0 ? size() : pos + qMin(length, size() - pos);
    QStringList entries;
    entries.reserve(end - pos);
    everyBytes([&](qsizetype i, QByteArrayView bytes) {
        if (i >= pos && i < end)
            entries.append(decode(bytes));
        return i + 1 < end;
    });
    return entries;
}

void SongList::append(const QString &entry) {
    if (!m_utf8 && !Cp1251::fits(entry))
        turnUtf8();
    appendEntry(entry);
}

void SongList::append(const QStringList &entries) {
    if (!m_utf8 && !allFit1251(entries))
        turnUtf8();
    reserveFor(entries);
    for (const QString &entry : entries)
        appendEntry(entry);
}

// The first entry's bytes may stay in the store: nothing starts there any
// more. Any other entry's bytes go, so that the one before it ends where
// it did. Every block from the removed entry on then begins one entry later.
void SongList::removeAt(qsizetype i) {
    const qsizetype start = startOf(i);
    const qsizetype size = sizeOf(i);
    const qsizetype gone = i == 0 ? 0 : size;
    const qsizetype blocks = (m_at.m_sizes.size() - 1 + kBlock - 1) / kBlock;
    for (qsizetype b = (i + kBlock - 1) / kBlock; b < blocks; ++b)
        m_at.m_checks[b] += quint32(sizeOf(b * kBlock)) - quint32(gone);
    m_at.m_checks.resize(blocks);
    m_at.m_sizes.remove(i, 1);
    auto later =
        std::lower_bound(m_at.m_long.begin(), m_at.m_long.end(), i,
                         [](const Sizes::LongSize &l, qsizetype at) { return l.index < at; });
    if (later != m_at.m_long.end() && later->index == i)
        later = m_at.m_long.erase(later);
    for (; later != m_at.m_long.end(); ++later)
        --later->index;
    if (gone > 0)
        m_store.remove(start, gone);
}

void SongList::clear() {
    m_store.clear();
    m_at = Sizes();
    m_utf8 = false;
}

// Room for an entry of the size at the store's end, the entry counted;
// none past kMaxStore bytes.
char *SongList::grow(qsizetype size) {
    const qsizetype start = m_store.size();
    if (start + size > kMaxStore)
        return nullptr;
    m_at.add(start, size);
    m_store.resize(start + size);
    return m_store.data() + start;
}

void SongList::appendEncoded(const QByteArray &bytes) {
    if (char *out = grow(bytes.size()))
        std::memcpy(out, bytes.constData(), size_t(bytes.size()));
}

// A 1251 entry is encoded straight into the store: no copy is made for each.
void SongList::appendEntry(const QString &entry) {
    if (m_utf8)
        appendEncoded(Utf8::encode(entry));
    else if (char *out = grow(entry.size()))
        Cp1251::encode(entry, out);
}

void SongList::turnUtf8() {
    SongList utf8;
    utf8.m_utf8 = true;
    utf8.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        utf8.appendEncoded(Utf8::encode(at(i)));
    *this = std::move(utf8);
}

bool operator==(const SongList &a, const SongList &b) {
    if (a.size() != b.size())
        return false;
    const bool sameSpelling = !a.m_utf8 && !b.m_utf8;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (sameSpelling ? a.bytesAt(i) != b.bytesAt(i) : a.at(i) != b.at(i))
            return false;
    }
    return true;
}

bool operator==(const SongList &a, const QStringList &b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i) != b.at(i))
            return false;
    }
    return true;
}

QDebug operator<<(QDebug debug, const SongList &songs) {
    return debug << songs.toList();
}

} // namespace tv
