#pragma once

#include "platform/messenger/MemoryMessengerClient.h"

#include <QHash>

class DataDownload;

// The lists of a data download, served for the scan. A download is a copy: every removal is
// refused with one sentence naming the network, and nothing is changed.
class DownloadMessengerClient : public MemoryMessengerClient
{
public:
    explicit DownloadMessengerClient(const DataDownload &download);

    QString removalRefusal() const override { return m_refusal; }
    bool hasProfileLinks() const override { return true; }
    QString profileLink(const QString &emailAddress) const override
    {
        return m_links.value(emailAddress);
    }
    QDateTime listsTakenAt() const override { return m_takenAt; }

private:
    QString m_refusal;
    QHash<QString, QString> m_links;
    QDateTime m_takenAt;
};
