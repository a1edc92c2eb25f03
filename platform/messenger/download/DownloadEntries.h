#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>

// The files of a data download, as a ZIP or the folder it was unpacked into. Names use '/' and
// are relative to the download's top. Only the entries asked for are read, whole into memory or
// piece by piece, within the limits below; nothing is written anywhere.
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
    // How much of an entry read piece by piece is held at a time.
    static constexpr qint64 PieceSize = qint64(1) << 20;
    using TakePiece = std::function<bool(QByteArrayView piece)>;

    DownloadEntries() = default;
    virtual ~DownloadEntries();
    DownloadEntries(const DownloadEntries &) = delete;
    DownloadEntries &operator=(const DownloadEntries &) = delete;

    // Every file's name, in the download's order.
    virtual QStringList names() const = 0;
    // Throws DownloadError when the entry cannot be read whole within the limits.
    virtual QByteArray read(const QString &name) const = 0;
    // Hands the entry over in pieces as it is read, so that a long one is never held whole;
    // take returns false to stop reading. Throws as read() does, perhaps after some pieces.
    // Unless a kind of download reads in pieces of its own, read()'s whole entry is one piece.
    virtual void readPieces(const QString &name, const TakePiece &take) const;
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
