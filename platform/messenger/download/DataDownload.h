#pragma once

#include "platform/messenger/MessengerAccount.h"
#include "platform/messenger/download/DownloadPerson.h"

#include <QDateTime>
#include <QHash>
#include <QString>

class DownloadEntries;

// A social network's data download, as the user received it (the ZIP) or unpacked (its folder),
// read into the two lists: the accounts followed are the contact list, the followers the reverse
// list. The network is recognised by what the download holds.
class DataDownload
{
public:
    // Throws DownloadError (a subclass says what kind of fault) naming the file and the place.
    explicit DataDownload(const QString &path);
    // A download whose entries are already open; for tests and fuzzing.
    explicit DataDownload(const DownloadEntries &entries);

    // A folder, or a file that starts like a ZIP.
    static bool looksLikeDownload(const QString &path);

    const QString &network() const { return m_network; }
    // Each row's account: Key the username (X: the account id), Text the name.
    const MessengerAccount &account() const { return m_account; }
    // The profile link of each followed account, by key.
    const QHash<QString, QString> &links() const { return m_links; }
    // When the download was made: the newest time inside it, else its files' newest time.
    const QDateTime &takenAt() const { return m_takenAt; }

    // "Esto es una copia descargada de <red>: …": why nothing can be removed through it.
    static QString refusal(const QString &network);

private:
    void load(const DownloadEntries &entries);
    static DownloadLists readLists(const DownloadEntries &entries);
    static QList<MessengerUser> usersOf(const QList<DownloadPerson> &people);

    QString m_network;
    MessengerAccount m_account;
    QHash<QString, QString> m_links;
    QDateTime m_takenAt;
};
