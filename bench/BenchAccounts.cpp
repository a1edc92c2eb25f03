#include "bench/BenchAccounts.h"

MessengerAccount benchAccount(int n)
{
    MessengerAccount account;
    account.signInName = QStringLiteral("yo@example.org");
    account.displayName = QStringLiteral("Yo");
    for (int i = 0; i < n; ++i) {
        const QString address =
            QStringLiteral("contacto%1@example.org").arg(i, 5, 10, QLatin1Char('0'));
        account.contactList.append(MessengerUser(address, QStringLiteral("Contacto %1").arg(i)));
        if (i % 5 == 4)
            account.reverseList.append(
                MessengerUser(QStringLiteral("otro%1@example.org").arg(i, 5, 10, QLatin1Char('0')),
                              QStringLiteral("Otro")));
        else
            account.reverseList.append(
                MessengerUser(address, QStringLiteral("Contacto %1").arg(i)));
    }
    return account;
}

QStringList addressesOf(const QList<MessengerUser> &users)
{
    QStringList addresses;
    addresses.reserve(users.size());
    for (const MessengerUser &user : users)
        addresses.append(user.member(u"EmailAddress"));
    return addresses;
}
