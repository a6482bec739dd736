#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>

#include <iterator>

class QDebug;

namespace tv {

// The entries of an album held as their encoded text: one store of bytes in
// Windows-1251 while every entry fits it, else UTF-8, the entries back to
// back. Each entry's size is one byte (a rare entry of 255 bytes or more has
// its size kept apart), and the start of every 32nd entry is kept, so a song
// costs little more than its text: a million songs take little more than the
// album file, whose own bytes the reader turns into the store. An entry is
// decoded only when asked for, so each read gives a fresh QString.
class SongList {
public:
    // The store cannot outgrow what a start can point into.
    static constexpr qsizetype kMaxStore = 0xFFFFFFFF;

    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = QString;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = QString;

        const_iterator(const SongList *list, qsizetype i) : m_list(list), m_i(i) {}
        QString operator*() const { return m_list->at(m_i); }
        const_iterator &operator++() {
            ++m_i;
            return *this;
        }
        bool operator==(const const_iterator &other) const { return m_i == other.m_i; }
        bool operator!=(const const_iterator &other) const { return m_i != other.m_i; }

    private:
        const SongList *m_list;
        qsizetype m_i;
    };

    SongList() = default;
    // Implicit, as the list the songs were held in before: a whole list of
    // songs is handed over as one.
    SongList(const QStringList &entries); // NOLINT(google-explicit-constructor)
    SongList &operator=(const QStringList &entries);

    // Where the entries of a store lie: each one's size in a byte (kLong for
    // a long one, whose size is kept apart), and the start of every kBlock-th.
    class Sizes {
    public:
        static constexpr qsizetype kBlock = 32;
        static constexpr uchar kLong = 255;

        // The next entry, which starts where the one before it ends (the
        // first one anywhere).
        void add(qsizetype start, qsizetype size);
        void reserve(qsizetype entries);

    private:
        friend class SongList;
        struct LongSize {
            qsizetype index;
            quint32 size;
        };
        QByteArray m_sizes;
        QList<LongSize> m_long; // by rising index
        QList<quint32> m_checks;
    };

    // Entries lying back to back in text already encoded, which the list
    // takes over, inside a store of at most kMaxStore bytes.
    static SongList fromStore(QByteArray store, bool utf8, Sizes sizes);

    qsizetype size() const { return m_at.m_sizes.size(); }
    qsizetype count() const { return size(); }
    bool isEmpty() const { return m_at.m_sizes.isEmpty(); }

    QString at(qsizetype i) const;
    QString operator[](qsizetype i) const { return at(i); }
    QString value(qsizetype i, const QString &fallback = {}) const;
    QString first() const { return at(0); }
    QString last() const { return at(size() - 1); }
    QString constFirst() const { return first(); }
    QString constLast() const { return last(); }
    qsizetype indexOf(const QString &entry, qsizetype from = 0) const;
    bool contains(const QString &entry) const { return indexOf(entry) >= 0; }
    QStringList mid(qsizetype pos, qsizetype length = -1) const;
    QStringList toList() const { return mid(0); }
    QString join(const QString &separator) const { return toList().join(separator); }
    operator QStringList() const { return toList(); } // NOLINT(google-explicit-constructor)

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    // A text that 1251 cannot hold turns the whole store into UTF-8 once.
    // Past kMaxStore bytes no more entries are taken.
    void append(const QString &entry);
    void append(const QStringList &entries);
    SongList &operator<<(const QString &entry) {
        append(entry);
        return *this;
    }
    SongList &operator<<(const QStringList &entries) {
        append(entries);
        return *this;
    }
    SongList &operator+=(const QStringList &entries) { return *this << entries; }
    void removeAt(qsizetype i);
    void removeFirst() { removeAt(0); }
    void removeLast() { removeAt(size() - 1); }
    void clear();
    void reserve(qsizetype entries);

    // The store itself, for a writer that copies entries without decoding.
    bool isUtf8() const { return m_utf8; }
    QByteArrayView bytesAt(qsizetype i) const {
        return QByteArrayView(m_store.constData() + startOf(i), sizeOf(i));
    }

    // Each entry's bytes in turn, until visit(i, bytes) says no more: a scan
    // of the whole list without finding each start again.
    template <typename Visit> bool everyBytes(Visit visit) const {
        qsizetype start = isEmpty() ? 0 : m_at.m_checks.at(0);
        for (qsizetype i = 0; i < size(); ++i) {
            const qsizetype length = sizeOf(i);
            if (!visit(i, QByteArrayView(m_store.constData() + start, length)))
                return false;
            start += length;
        }
        return true;
    }

    // Whether the two are one list, not yet parted by a change to either:
    // copies share their bytes until then.
    bool isSharedWith(const SongList &other) const {
        return m_store.constData() == other.m_store.constData() &&
               m_at.m_sizes.constData() == other.m_at.m_sizes.constData() && m_utf8 == other.m_utf8;
    }

    friend bool operator==(const SongList &a, const SongList &b);
    friend bool operator==(const SongList &a, const QStringList &b);
    friend bool operator==(const QStringList &a, const SongList &b) { return b == a; }
    friend bool operator!=(const SongList &a, const SongList &b) { return !(a == b); }
    friend bool operator!=(const SongList &a, const QStringList &b) { return !(a == b); }
    friend bool operator!=(const QStringList &a, const SongList &b) { return !(b == a); }

private:
    static constexpr qsizetype kBlock = Sizes::kBlock;
    static constexpr uchar kLong = Sizes::kLong;

    qsizetype sizeOf(qsizetype i) const {
        const uchar size = uchar(m_at.m_sizes.at(i));
        return size == kLong ? longSizeOf(i) : size;
    }
    qsizetype longSizeOf(qsizetype i) const;
    qsizetype startOf(qsizetype i) const {
        const qsizetype first = i - i % kBlock;
        qsizetype start = m_at.m_checks.at(first / kBlock);
        for (qsizetype j = first; j < i; ++j)
            start += sizeOf(j);
        return start;
    }
    QString decode(QByteArrayView bytes) const;
    void reserveFor(const QStringList &entries);
    char *grow(qsizetype size);
    void appendEncoded(const QByteArray &bytes);
    void appendEntry(const QString &entry);
    void turnUtf8();

    QByteArray m_store;
    Sizes m_at;
    bool m_utf8 = false;
};

QDebug operator<<(QDebug debug, const SongList &songs);

} // namespace tv
