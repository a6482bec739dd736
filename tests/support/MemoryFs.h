#pragma once

#include "platform/FileSystem.h"

#include <QMap>
#include <QSet>
#include <functional>

namespace tv::test {

// Drives, folders and files in memory, for logic tests that need exact
// control over what the disk does: read-only files, folders that cannot be
// read, files that vanish between a listing and a read. Paths are lettered;
// "\" and "/" both separate names, the drive letter's case does not count.
class MemoryFs : public FileSystem {
public:
    explicit MemoryFs(const QStringList &letters = {"C:", "Z:"});

    // Adds a folder or a file, with every folder above it.
    void addFolder(const QString &path);
    void addFile(const QString &path, const QByteArray &bytes = "mp3");
    void setReadOnly(const QString &path) { m_readOnly.insert(key(path)); }
    // A link at path to the folder or file target (ln -s): paths through it
    // reach the target, and both have the same id.
    void addLink(const QString &path, const QString &target);
    // Removes a file or a folder with everything in it.
    void remove(const QString &path);
    QByteArray bytes(const QString &path) const { return m_files.value(key(path)); }

    // Runs before every read: a test can make a file vanish right then.
    std::function<void(const QString &path)> beforeRead;
    // How the files were read: "read:<path>" and
    // "piece:<path>:<offset>:<length>", in order.
    mutable QStringList reads;

    QStringList drives() const override { return m_drives; }
    bool fileExists(const QString &path) const override;
    FileError readFile(const QString &path, QByteArray *data, qint64 limit) const override {
        reads << QStringLiteral("read:") + path;
        QByteArray bytes;
        const FileError error = find(path, &bytes);
        if (error == FileError::None && bytes.size() > limit)
            return FileError::Access;
        *data = std::move(bytes);
        return error;
    }
    FileError writeFile(const QString &path, const QByteArray &data) override;
    QStringList listFiles(const QString &dir, const QString &extension) const override;
    FileError readPieces(const QString &path, const NextPiece &next) const override;
    bool listFolder(const QString &dir, FolderListing *listing) const override;
    FileId fileId(const QString &path) const override { return idOf(real(path)); }
    QString toNative(const QString &path) const override { return key(path); }
    QString fromNative(const QString &native) const override { return key(native); }
    QString fromNativeBytes(const QByteArray &native) const override {
        return key(QString::fromUtf8(native));
    }

private:
    QString key(const QString &path) const;
    // The key of what the path reaches, links followed; empty for a loop.
    QString real(const QString &path) const;
    FileId idOf(const QString &realKey) const;
    FileError find(const QString &path, QByteArray *data) const;

    QStringList m_drives;
    QMap<QString, QByteArray> m_files;
    QMap<QString, QString> m_links;
    QSet<QString> m_folders, m_readOnly;
};

} // namespace tv::test
