#pragma once

#include "platform/messenger/download/DownloadEntries.h"

#include <memory>

class QFile;

// A download unpacked into a folder. Links that lead out of the folder are not followed.
class FolderEntries : public DownloadEntries
{
public:
    explicit FolderEntries(const QString &path);

    QStringList names() const override { return m_names; }
    QByteArray read(const QString &name) const override;
    void readPieces(const QString &name, const TakePiece &take) const override;
    QDateTime newestFileTime() const override { return m_newest; }
    QString path() const override { return m_path; }

private:
    std::unique_ptr<QFile> open(const QString &name) const;

    QString m_path;
    QStringList m_names;
    QDateTime m_newest;
};
