#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

// The files of a data download, as a ZIP or the folder it was unpacked into. Names use '/' and
// are relative to the download's top. Only the entries asked for are read, each whole into
// memory within the limits below; nothing is written anywhere.
class DownloadEntries
{
public:
    // Far above the largest real lists (a million followers is about 200 MB of JSON), far below
    // what a crafted entry could unpack to.
    static constexpr qint64 MaxEntrySize = qint64(1) << 30;
    // Lists compress by ten to twenty times; only an entry above MinRatioCheckedSize that
    // unpacks more than this is refused.
    static constexpr qint64 MaxRatio = 400;
    static constexpr qint64 MinRatioCheckedSize = qint64(1) << 20;

    DownloadEntries() = default;
    virtual ~DownloadEntries();
    DownloadEntries(const DownloadEntries &) = delete;
    DownloadEntries &operator=(const DownloadEntries &) = delete;

    // Every file's name, in the download's order.
    virtual QStringList names() const = 0;
    // Throws DownloadError when the entry cannot be read whole within the limits.
    virtual QByteArray read(const QString &name) const = 0;
    // The newest modification time of the files, invalid when none is known.
    virtual QDateTime newestFileTime() const = 0;
    // Where the download lies, for messages.
    virtual QString path() const = 0;

    // The first name that ends with suffix (compared whole from a '/' or the start), or empty.
    QString find(const QString &suffix) const;
    // Every name ending with suffix, as find() compares.
    QStringList findAll(const QString &suffix) const;

    // Throws DownloadUnsafeError for a name with a ".." part, or one that starts at the root
    // or a drive.
    static void checkName(const QString &path, const QString &name);
};
