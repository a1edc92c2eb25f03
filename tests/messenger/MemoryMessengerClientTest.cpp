#include "platform/messenger/MemoryMessengerClient.h"
#include "platform/messenger/AccountStore.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

MessengerAccount smallAccount()
{
    MessengerAccount account;
    account.signInState = 2;
    account.signInName = QStringLiteral("yo@example.org");
    account.displayName = QStringLiteral("Yo");
    account.contactList = {{QStringLiteral("a@example.org"), QStringLiteral("A")},
                           {QStringLiteral("b@example.org"), QStringLiteral("B")},
                           {QStringLiteral("c@example.org"), QStringLiteral("C")}};
    account.reverseList = {{QStringLiteral("b@example.org"), QStringLiteral("B")},
                           {QStringLiteral("z@example.org"), QStringLiteral("Z")}};
    return account;
}

QStringList addresses(MessengerUserList &list)
{
    QStringList result;
    for (qint32 i = 0; i < list.count(); ++i)
        result.append(list.user(i).member(u"EmailAddress"));
    return result;
}

class RefusingStore : public AccountStore
{
public:
    void removeUser(qint32, const QString &emailAddress) override
    {
        throw MessengerError(QStringLiteral("rechazado: ") + emailAddress);
    }
};

} // namespace

TEST(MessengerUser, MembersAreFoundByExactNameWithoutCopying)
{
    const MessengerUser user(QStringLiteral("a@example.org"), QStringLiteral("Ana"));
    EXPECT_EQ(user.member(u"EmailAddress"), QStringLiteral("a@example.org"));
    EXPECT_EQ(user.member(u"FriendlyName"), QStringLiteral("Ana"));
    // The same stored text every time: the scan relies on a lookup that does not copy.
    EXPECT_EQ(&user.member(u"EmailAddress"), &user.member(u"EmailAddress"));

    for (const QString &name : {QStringLiteral("emailaddress"), QStringLiteral("EmailAddress "),
                                QStringLiteral("Name"), QString()}) {
        try {
            user.member(name);
            ADD_FAILURE() << "no error for member " << name.toStdString();
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains(QStringLiteral("«") + name + QStringLiteral("»")))
                << error.message().toStdString();
        }
    }
}

TEST(MemoryMessengerClient, ServesTheAccountAndItsListsInOrder)
{
    MemoryMessengerClient client(smallAccount());
    const auto service = client.serviceSet()->defaultService();
    EXPECT_EQ(service->signInState(), 2);
    EXPECT_EQ(service->signInName(), QStringLiteral("yo@example.org"));
    EXPECT_EQ(service->displayName(), QStringLiteral("Yo"));

    auto contacts = client.userList(MessengerClient::ContactList);
    EXPECT_EQ(addresses(*contacts),
              QStringList({"a@example.org", "b@example.org", "c@example.org"}));
    auto reverse = client.userList(MessengerClient::ReverseList);
    EXPECT_EQ(addresses(*reverse), QStringList({"b@example.org", "z@example.org"}));

    // A position off either end is refused, naming the position and the list.
    const std::pair<MessengerUserList *, QString> outside[] = {
        {contacts.get(), QStringLiteral("posición 3 de la lista de contactos")},
        {contacts.get(), QStringLiteral("posición -1 de la lista de contactos")},
        {reverse.get(), QStringLiteral("posición 2 de la lista inversa")}};
    for (const auto &[list, where] : outside) {
        const qint32 index = where.section(QLatin1Char(' '), 1, 1).toInt();
        try {
            list->user(index);
            ADD_FAILURE() << "no error for " << where.toStdString();
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains(where)) << error.message().toStdString();
        }
    }
}

TEST(MemoryMessengerClient, RejectsUnknownListNumbers)
{
    MemoryMessengerClient client(smallAccount());
    for (qint32 number : {-1, 1, 2, 4, 7}) {
        try {
            client.userList(number);
            ADD_FAILURE() << "no error for list " << number;
        } catch (const MessengerError &error) {
            EXPECT_TRUE(error.message().contains(QString::number(number)));
        }
    }
}

TEST(MemoryMessengerClient, LooksUpUsersByExactAddressOnBothLists)
{
    MemoryMessengerClient client(smallAccount());
    const auto service = client.serviceSet()->defaultService();
    EXPECT_EQ(client.lookUpUser(QStringLiteral("c@example.org"), *service)->member(u"FriendlyName"),
              QStringLiteral("C"));
    EXPECT_EQ(client.lookUpUser(QStringLiteral("z@example.org"), *service)->member(u"FriendlyName"),
              QStringLiteral("Z"));
    EXPECT_THROW(client.lookUpUser(QStringLiteral("C@example.org"), *service), MessengerError);
    EXPECT_THROW(client.lookUpUser(QStringLiteral(" c@example.org"), *service), MessengerError);
    EXPECT_THROW(client.lookUpUser(QString(), *service), MessengerError);
}

TEST(MemoryMessengerClient, RemoveTakesTheUserOffOnlyThatList)
{
    MemoryMessengerClient client(smallAccount());
    auto earlier = client.userList(MessengerClient::ContactList);
    const MessengerUser &borrowed = earlier->user(1);
    auto contacts = client.userList(MessengerClient::ContactList);
    contacts->remove(MessengerUser(QStringLiteral("b@example.org"), QStringLiteral("otro")));
    // A list fetched earlier still holds what it handed out; the remover and later lists do not.
    EXPECT_EQ(earlier->count(), 3);
    EXPECT_EQ(borrowed.member(u"FriendlyName"), QStringLiteral("B"));
    EXPECT_EQ(addresses(*contacts), QStringList({"a@example.org", "c@example.org"}));
    EXPECT_EQ(addresses(*client.userList(MessengerClient::ContactList)),
              QStringList({"a@example.org", "c@example.org"}));
    EXPECT_EQ(addresses(*client.userList(MessengerClient::ReverseList)),
              QStringList({"b@example.org", "z@example.org"}));

    try {
        contacts->remove(MessengerUser(QStringLiteral("z@example.org"), QString()));
        ADD_FAILURE() << "removed a user who is not a contact";
    } catch (const MessengerError &error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("z@example.org")));
    }
    // The address must match exactly, case included.
    EXPECT_THROW(contacts->remove(MessengerUser(QStringLiteral("A@example.org"), QString())),
                 MessengerError);

    // A user borrowed from the remover itself can be handed back to it, one after another.
    contacts->remove(contacts->user(1));
    EXPECT_EQ(addresses(*contacts), QStringList({"a@example.org"}));
    contacts->remove(contacts->user(0));
    EXPECT_EQ(contacts->count(), 0);
    EXPECT_EQ(client.userList(MessengerClient::ContactList)->count(), 0);
    EXPECT_EQ(earlier->count(), 3);
}

TEST(MemoryMessengerClient, AStoreThatRefusesLeavesTheListUnchanged)
{
    MemoryMessengerClient client(smallAccount(), std::make_shared<RefusingStore>());
    auto contacts = client.userList(MessengerClient::ContactList);
    try {
        contacts->remove(MessengerUser(QStringLiteral("a@example.org"), QString()));
        ADD_FAILURE() << "the refusal was lost";
    } catch (const MessengerError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("rechazado: a@example.org"));
    }
    EXPECT_EQ(contacts->count(), 3);
}

TEST(MemoryMessengerClient, HandedOutObjectsOutliveTheClient)
{
    std::shared_ptr<MessengerUserList> contacts;
    std::shared_ptr<MessengerService> service;
    {
        MemoryMessengerClient client(smallAccount());
        contacts = client.userList(MessengerClient::ContactList);
        service = client.serviceSet()->defaultService();
    }
    EXPECT_EQ(contacts->count(), 3);
    EXPECT_EQ(service->signInName(), QStringLiteral("yo@example.org"));
}

TEST(DemoAccount, IsSignedInWithAFewContactsMissingFromTheReverseList)
{
    const MessengerAccount account = DemoAccount::account();
    EXPECT_NE(account.signInState, MessengerService::SignedOut);
    EXPECT_FALSE(account.signInName.isEmpty());
    EXPECT_FALSE(account.displayName.isEmpty());

    QSet<QString> reverse;
    for (const MessengerUser &user : account.reverseList)
        reverse.insert(user.member(u"EmailAddress"));
    QSet<QString> contacts;
    int missing = 0;
    bool missingOnlyByCase = false;
    for (const MessengerUser &user : account.contactList) {
        const QString &address = user.member(u"EmailAddress");
        contacts.insert(address);
        if (reverse.contains(address))
            continue;
        ++missing;
        for (const QString &other : reverse)
            missingOnlyByCase |= other.compare(address, Qt::CaseInsensitive) == 0;
    }
    EXPECT_GE(account.contactList.size(), 10);
    EXPECT_EQ(contacts.size(), account.contactList.size()) << "duplicate contact";
    EXPECT_GE(missing, 3);
    EXPECT_LE(missing, 5);
    EXPECT_TRUE(missingOnlyByCase);
    EXPECT_FALSE((reverse - contacts).isEmpty()) << "the reverse list should hold non-contacts";
}
