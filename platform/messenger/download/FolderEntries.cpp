#include "platform/messenger/download/FolderEntries.h"

#include "platform/base/SystemText.h"
#include "platform/messenger/download/DownloadError.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

FolderEntries::FolderEntries(const QString &path) : m_path(QDir(path).absolutePath())
{
    const QDir top(m_path);
    QDirIterator it(m_path, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo file(it.next());
        if (file.isSymLink())
            continue;
        m_names.append(top.relativeFilePath(file.filePath()));
        const QDateTime modified = file.lastModified().toUTC();
        if (!m_newest.isValid() || modified > m_newest)
            m_newest = modified;
    }
    m_names.sort();
}

namespace {

[[noreturn]] void unreadable(const QFile &file)
{
    throw DownloadDamagedError(QStringLiteral("%1: no se puede leer (%2)")
                                   .arg(file.fileName(), SystemText::fileErrorText(file)));
}

} // namespace

// The entry opened for reading, once it is known to be within the download and the limits.
std::unique_ptr<QFile> FolderEntries::open(const QString &name) const
{
    checkName(m_path, name);
    auto file = std::make_unique<QFile>(m_path + QLatin1Char('/') + name);
    if (!file->open(QIODevice::ReadOnly))
        unreadable(*file);
    if (file->size() > MaxEntrySize)
        throw DownloadTooLargeError(
            QStringLiteral("%1 ocupa %2 bytes: es más de lo que cabe en una lista real")
                .arg(file->fileName())
                .arg(file->size()));
    return file;
}

QByteArray FolderEntries::read(const QString &name) const
{
    return open(name)->readAll();
}

void FolderEntries::readPieces(const QString &name, const TakePiece &take) const
{
    const std::unique_ptr<QFile> file = open(name);
    QByteArray piece(PieceSize, Qt::Uninitialized);
    for (;;) {
        const qint64 got = file->read(piece.data(), piece.size());
        if (got < 0)
            unreadable(*file);
        if (got == 0 || !take(QByteArrayView(piece.constData(), got)))
            return;
    }
}
