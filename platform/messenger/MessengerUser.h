#pragma once

#include <QString>
#include <QStringView>

// A user as the client hands it out. Its members are reached by name at run time, the way the
// scan reads them; the lookup hands back the stored text without copying it.
class MessengerUser
{
public:
    MessengerUser(QString emailAddress, QString friendlyName);

    // "EmailAddress" or "FriendlyName"; any other name throws MessengerError.
    const QString &member(QStringView name) const;

private:
    QString m_emailAddress;
    QString m_friendlyName;
};
