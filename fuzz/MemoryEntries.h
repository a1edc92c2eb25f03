#pragma once

#include "platform/messenger/download/DownloadEntries.h"
#include "platform/messenger/download/DownloadError.h"

#include <QList>
#include <QPair>
#include <algorithm>

// A download's files held in memory, so that a fuzz input can stand for several of them.
class MemoryEntries : public DownloadEntries
{
public:
    // The input's parts, split on NUL bytes, are the files named, in order; names beyond the
    // last part are left out, so an input can also hold only some of the files.
    MemoryEntries(const QStringList &names, const QByteArray &input)
    {
        const QList<QByteArray> parts = input.split('\0');
        for (qsizetype i = 0; i < names.size() && i < parts.size(); ++i)
            m_files.append({names.at(i), parts.at(i)});
    }

    QStringList names() const override
    {
        QStringList result;
        for (const auto &file : m_files)
            result.append(file.first);
        return result;
    }
    QByteArray read(const QString &name) const override
    {
        for (const auto &file : m_files) {
            if (file.first == name)
                return file.second;
        }
        throw DownloadDamagedError(QStringLiteral("%1: no existe «%2»").arg(path(), name));
    }
    // In small pieces whose size follows the file's length, so that inputs break long lists at
    // every kind of place.
    void readPieces(const QString &name, const TakePiece &take) const override
    {
        const QByteArray whole = read(name);
        const qsizetype size = 1 + whole.size() % 13;
        for (qsizetype at = 0; at < whole.size(); at += size) {
            if (!take(QByteArrayView(whole).sliced(at, std::min(size, whole.size() - at))))
                return;
        }
    }
    QDateTime newestFileTime() const override { return {}; }
    QString path() const override { return QStringLiteral("descarga-fuzz"); }

private:
    QList<QPair<QString, QByteArray>> m_files;
};
