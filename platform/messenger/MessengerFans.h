#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// The other direction of the contact list on accounts that have one: the people who have the
// user whom the user does not have, and the requests to have the user still waiting for an
// answer. Every operation may throw MessengerError.
class MessengerFans
{
public:
    struct Fan
    {
        enum class Kind { OneWay, Request };

        QString emailAddress;
        QString friendlyName;
        Kind kind = Kind::OneWay;
    };

    MessengerFans() = default;
    virtual ~MessengerFans();
    Q_DISABLE_COPY_MOVE(MessengerFans)

    // Sorted by address, each person once.
    virtual QList<Fan> list() = 0;
    // Has each address back: asks to have them, approving their waiting request first. Gives
    // back the addresses that failed, each with the reason.
    virtual QHash<QString, QString> add(const QStringList &addresses) = 0;
    // Takes back each one's view of the user's presence, or declines the waiting request.
    // Gives back the addresses that failed, each with the reason.
    virtual QHash<QString, QString> drop(const QStringList &addresses) = 0;
};
