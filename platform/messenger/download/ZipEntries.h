#pragma once

#include "platform/messenger/download/DownloadEntries.h"

#include <QHash>
#include <memory>

struct zip;

// A download still in its ZIP, read through libzip: the directory is checked when opened, and
// each entry asked for is unpacked into memory only, never onto the disk.
class ZipEntries : public DownloadEntries
{
public:
    // Throws DownloadDamagedError for a file that is no ZIP or whose directory is broken, and
    // DownloadUnsafeError for a name that leaves the download.
    explicit ZipEntries(const QString &path);
    // The same, from a ZIP already in memory; path names it in messages.
    ZipEntries(const QString &path, const QByteArray &content);
    ~ZipEntries() override;

    QStringList names() const override { return m_names; }
    QByteArray read(const QString &name) const override;
    void readPieces(const QString &name, const TakePiece &take) const override;
    QDateTime newestFileTime() const override { return m_newest; }
    QString path() const override { return m_path; }

private:
    struct Closer
    {
        void operator()(zip *archive) const;
    };
    struct Entry
    {
        qint64 index;
        qint64 size;
    };
    void readDirectory();
    // The entry's place and size, once it is known to be plain and within the limits.
    Entry checkedEntry(const QString &name) const;
    void readPieces(const QString &name, const Entry &entry, const TakePiece &take) const;
    [[noreturn]] void damaged(const QString &what) const;

    QString m_path;
    QByteArray m_content;
    std::unique_ptr<zip, Closer> m_archive;
    QStringList m_names;
    QHash<QString, qint64> m_index;
    QDateTime m_newest;
};
