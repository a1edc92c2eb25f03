#include "platform/messenger/download/DataDownload.h"

#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/FolderEntries.h"
#include "platform/messenger/download/InstagramReader.h"
#include "platform/messenger/download/TikTokReader.h"
#include "platform/messenger/download/XReader.h"
#include "platform/messenger/download/ZipEntries.h"

#include <QFile>
#include <QFileInfo>
#include <memory>

namespace {

const QString AskForLists = QStringLiteral("al pedirla, elige «Seguidores y seguidos»");

std::unique_ptr<DownloadEntries> openEntries(const QString &path)
{
    if (QFileInfo(path).isDir())
        return std::make_unique<FolderEntries>(path);
    return std::make_unique<ZipEntries>(path);
}

} // namespace

DataDownload::DataDownload(const QString &path)
{
    const std::unique_ptr<DownloadEntries> entries = openEntries(path);
    load(*entries);
}

DataDownload::DataDownload(const DownloadEntries &entries)
{
    load(entries);
}

bool DataDownload::looksLikeDownload(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    // Only a regular file is opened to be looked at: opening a named pipe would wait for a
    // writer that never comes. Anything else is left for the account file to refuse by name.
    if (!info.isFile())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray start = file.read(4);
    return start == QByteArrayLiteral("PK\x03\x04") || start == QByteArrayLiteral("PK\x05\x06");
}

QString DataDownload::refusal(const QString &network)
{
    return QStringLiteral("Esto es una copia descargada de %1: deja de seguir a estas cuentas "
                          "desde %1.")
        .arg(network);
}

DownloadLists DataDownload::readLists(const DownloadEntries &entries)
{
    // Instagram's download also holds Threads' lists: Instagram's own come first.
    if (XReader x(entries); x.recognises())
        return x.read();
    if (TikTokReader tikTok(entries); tikTok.recognises())
        return tikTok.read();
    if (InstagramReader instagram(entries, InstagramReader::Network::Instagram);
        instagram.recognises())
        return instagram.read();
    if (InstagramReader threads(entries, InstagramReader::Network::Threads); threads.recognises())
        return threads.read();
    throw DownloadListsMissingError(
        QStringLiteral("%1: La descarga no contiene la lista de seguidores: %2 (o no es una "
                       "descarga de Instagram, Threads, TikTok ni X)")
            .arg(entries.path(), AskForLists));
}

QList<MessengerUser> DataDownload::usersOf(const QList<DownloadPerson> &people)
{
    QList<MessengerUser> users;
    users.reserve(people.size());
    for (const DownloadPerson &person : people)
        users.append(MessengerUser(person.key, person.name));
    return users;
}

void DataDownload::load(const DownloadEntries &entries)
{
    const DownloadLists lists = readLists(entries);
    // With one list alone every followed account would look like it dropped the user.
    if (!lists.hasFollowers)
        throw DownloadListsMissingError(
            QStringLiteral("%1: La descarga no contiene la lista de seguidores: %2")
                .arg(entries.path(), AskForLists));
    if (!lists.hasFollowing)
        throw DownloadListsMissingError(
            QStringLiteral("%1: La descarga no contiene la lista de cuentas que sigues: %2")
                .arg(entries.path(), AskForLists));
    m_network = lists.network;
    const QString fileName = QFileInfo(entries.path()).fileName();
    const QString username = lists.ownUsername;
    m_account.signInName = username.isEmpty() ? QStringLiteral("%1 (%2)").arg(m_network, fileName)
                                              : QStringLiteral("%1 (%2)").arg(username, m_network);
    m_account.displayName =
        lists.ownName.isEmpty() ? (username.isEmpty() ? m_network : username) : lists.ownName;
    m_account.contactList = usersOf(lists.following);
    m_account.reverseList = usersOf(lists.followers);
    // Rows come from the followed accounts only: they alone need their links.
    for (const DownloadPerson &person : lists.following)
        m_links.insert(person.key, person.link);
    m_takenAt = lists.newest.isValid() ? lists.newest : entries.newestFileTime();
}
