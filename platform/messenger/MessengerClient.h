#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QtGlobal>
#include <memory>

class MessengerFans;
class MessengerService;
class MessengerServiceSet;
class MessengerUser;
class MessengerUserList;

// The Messenger client's automation object. Every operation may throw MessengerError; the
// objects it hands out are fetched anew for each use.
class MessengerClient
{
public:
    static constexpr qint32 ContactList = 0;
    static constexpr qint32 ReverseList = 3;

    MessengerClient() = default;
    virtual ~MessengerClient();
    Q_DISABLE_COPY_MOVE(MessengerClient)

    virtual std::shared_ptr<MessengerServiceSet> serviceSet() = 0;
    // ContactList or ReverseList; any other number throws.
    virtual std::shared_ptr<MessengerUserList> userList(qint32 listNumber) = 0;
    virtual std::shared_ptr<const MessengerUser> lookUpUser(const QString &emailAddress,
                                                            const MessengerService &service) = 0;

    // While holding, a client may keep removals from the contact and reverse lists back and
    // store them together at commitRemovals(), so that a long removal does not rewrite its
    // store once per user. A held user stays on the client's lists until it is committed.
    // Leaving the hold drops what was held and not committed. Clients that store each
    // removal at once ignore both.
    virtual void setHoldingRemovals(bool holding);
    // Stores the held removals, in the order they were made, and takes them off the lists;
    // gives back those that could not be stored, each with its reason.
    virtual QHash<QString, QString> commitRemovals();
    // How long, in milliseconds, a group of held removals may grow before it is committed. A
    // client whose commit waits for a distant server's answers asks for longer groups, so that
    // the wait is paid seldom.
    virtual qint64 removalGroupMs() const;

    // Empty, or a warning that the lists may be incomplete on this account (said once per run,
    // with the scan); the scan itself goes on.
    virtual QString scanWarning() const;

    // Empty, or why no removal can be made on this account at all (a downloaded copy of a
    // network's lists); callers then leave every row as it is and say this sentence.
    virtual QString removalRefusal() const;
    // Whether rows have a profile link to give, and the link of one (empty when none).
    virtual bool hasProfileLinks() const;
    virtual QString profileLink(const QString &emailAddress) const;
    // When the lists were taken, for lists that are a copy made earlier; invalid for live
    // lists, which are as of now.
    virtual QDateTime listsTakenAt() const;
    // The people who have the user whom the user does not have, and the waiting requests;
    // null on accounts without such a list. Owned by the client.
    virtual MessengerFans *fans();
};
