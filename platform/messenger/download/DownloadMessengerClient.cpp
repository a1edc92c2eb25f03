#include "platform/messenger/download/DownloadMessengerClient.h"

#include "platform/messenger/AccountStore.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/download/DataDownload.h"

namespace {

// Refuses every removal, so that a caller that tries anyway still loses no row.
class RefusingStore : public AccountStore
{
public:
    explicit RefusingStore(QString refusal) : m_refusal(std::move(refusal)) {}

    void removeUser(qint32, const QString &) override { throw MessengerError(m_refusal); }
    QHash<QString, QString> removeUsers(qint32, const QStringList &addresses) override
    {
        QHash<QString, QString> refused;
        for (const QString &address : addresses)
            refused.insert(address, m_refusal);
        return refused;
    }

private:
    QString m_refusal;
};

} // namespace

DownloadMessengerClient::DownloadMessengerClient(const DataDownload &download)
    : MemoryMessengerClient(download.account(), std::make_shared<RefusingStore>(
                                                    DataDownload::refusal(download.network()))),
      m_refusal(DataDownload::refusal(download.network())), m_links(download.links()),
      m_takenAt(download.takenAt())
{
}
