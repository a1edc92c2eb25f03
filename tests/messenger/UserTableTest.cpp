#include "platform/messenger/UserTable.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"
#include "platform/messenger/MessengerUserList.h"

#include <gtest/gtest.h>

namespace {

QList<MessengerUser> someUsers()
{
    // Empty texts, equal texts and text beyond Latin-1 between ordinary ones: each span must
    // start where the one before it ended.
    return {{QStringLiteral("ana@example.org"), QStringLiteral("Ana")},
            {QString(), QString()},
            {QStringLiteral("ñu@example.org"), QStringLiteral("Ñu 🐃")},
            {QStringLiteral("ana@example.org"), QString()},
            {QStringLiteral("b"), QStringLiteral("Beatriz Ortega")}};
}

QStringList listAddresses(const MessengerUserList &list)
{
    QStringList result;
    for (qint32 i = 0; i < list.count(); ++i)
        result.append(list.member(i, u"EmailAddress").toString());
    return result;
}

MessengerAccount threeOneWay()
{
    MessengerAccount account;
    account.signInState = 2;
    account.contactList = {{QStringLiteral("a@x"), QStringLiteral("A")},
                           {QStringLiteral("b@x"), QStringLiteral("B")},
                           {QStringLiteral("c@x"), QStringLiteral("C")}};
    account.reverseList = {{QStringLiteral("b@x"), QStringLiteral("B")}};
    return account;
}

} // namespace

TEST(UserTable, HoldsEveryMemberOfEveryUserInOrder)
{
    const QList<MessengerUser> users = someUsers();
    const UserTable table(users);
    ASSERT_EQ(table.count(), users.size());
    for (qint32 i = 0; i < table.count(); ++i) {
        EXPECT_EQ(table.member(i, u"EmailAddress"), users.at(i).member(u"EmailAddress")) << i;
        EXPECT_EQ(table.member(i, u"FriendlyName"), users.at(i).member(u"FriendlyName")) << i;
    }
    EXPECT_EQ(UserTable(QList<MessengerUser>()).count(), 0);
}

TEST(UserTable, RefusesUnknownMembersAndPositionsOutsideTheList)
{
    const UserTable table(someUsers());
    for (const QString &name : {QStringLiteral("emailaddress"), QStringLiteral("Name"), QString()})
        EXPECT_THROW(table.member(0, name), MessengerError) << name.toStdString();
    for (qint32 index : {-1, 5, 1 << 30})
        EXPECT_THROW(table.member(index, u"EmailAddress"), MessengerError) << index;
    EXPECT_THROW(UserTable().member(0, u"EmailAddress"), MessengerError);
}

TEST(UserTable, TheClientsListsReadTheSameThroughTheTableAsThroughTheirUsers)
{
    MemoryMessengerClient client(threeOneWay());
    for (qint32 number : {MessengerClient::ContactList, MessengerClient::ReverseList}) {
        const auto list = client.userList(number);
        for (qint32 i = 0; i < list->count(); ++i) {
            EXPECT_EQ(list->member(i, u"EmailAddress"), list->user(i).member(u"EmailAddress"));
            EXPECT_EQ(list->member(i, u"FriendlyName"), list->user(i).member(u"FriendlyName"));
        }
    }
}

// A table left over from before a removal would hand out addresses of users no longer listed,
// or shifted by one.
TEST(UserTable, FollowsTheListThroughRemovals)
{
    MemoryMessengerClient client(threeOneWay());
    {
        const auto contacts = client.userList(MessengerClient::ContactList);
        contacts->remove(contacts->user(0));
        EXPECT_EQ(listAddresses(*contacts), (QStringList{"b@x", "c@x"}));
    }
    EXPECT_EQ(listAddresses(*client.userList(MessengerClient::ContactList)),
              (QStringList{"b@x", "c@x"}));

    client.setHoldingRemovals(true);
    const auto held = client.userList(MessengerClient::ContactList);
    held->remove(held->user(1));
    // Held back: still listed until the commit.
    EXPECT_EQ(listAddresses(*client.userList(MessengerClient::ContactList)),
              (QStringList{"b@x", "c@x"}));
    EXPECT_TRUE(client.commitRemovals().isEmpty());
    client.setHoldingRemovals(false);
    EXPECT_EQ(listAddresses(*client.userList(MessengerClient::ContactList)), (QStringList{"b@x"}));
    // The list fetched before the commit still reads as it was fetched.
    EXPECT_EQ(listAddresses(*held), (QStringList{"b@x", "c@x"}));
}
