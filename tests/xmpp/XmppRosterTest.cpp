#include "platform/messenger/xmpp/XmppRoster.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

using Subscription = XmppRoster::Subscription;

QStringList addresses(const QList<MessengerUser> &users)
{
    QStringList result;
    for (const MessengerUser &user : users)
        result.append(user.member(u"EmailAddress"));
    return result;
}

QStringList names(const QList<MessengerUser> &users)
{
    QStringList result;
    for (const MessengerUser &user : users)
        result.append(user.member(u"FriendlyName"));
    return result;
}

XmppRoster everyState()
{
    XmppRoster roster;
    roster.reset({{"to@x.org", "To", Subscription::To},
                  {"both@x.org", "", Subscription::Both},
                  {"none@x.org", "None", Subscription::None},
                  {"from@x.org", "From", Subscription::From}});
    roster.addRequest("asking@x.org");
    return roster;
}

} // namespace

TEST(XmppRosterTest, SubscriptionValuesOfTheProtocol)
{
    EXPECT_EQ(XmppRoster::parseSubscription(""), Subscription::None);
    EXPECT_EQ(XmppRoster::parseSubscription("none"), Subscription::None);
    EXPECT_EQ(XmppRoster::parseSubscription("to"), Subscription::To);
    EXPECT_EQ(XmppRoster::parseSubscription("from"), Subscription::From);
    EXPECT_EQ(XmppRoster::parseSubscription("both"), Subscription::Both);
    // "remove" only appears in pushes and requests; case matters in the protocol.
    EXPECT_EQ(XmppRoster::parseSubscription("remove"), std::nullopt);
    EXPECT_EQ(XmppRoster::parseSubscription("Both"), std::nullopt);
}

TEST(XmppRosterTest, ListsFollowTheSubscriptionStates)
{
    const XmppRoster roster = everyState();
    // The user receives presence from, or asked for, everyone but "from".
    EXPECT_EQ(addresses(roster.contactList()),
              QStringList({"both@x.org", "none@x.org", "to@x.org"}));
    // Those who see the user, and whoever is still asking to.
    EXPECT_EQ(addresses(roster.reverseList()),
              QStringList({"asking@x.org", "both@x.org", "from@x.org"}));
}

TEST(XmppRosterTest, FriendlyNameFallsBackToTheAddress)
{
    const XmppRoster roster = everyState();
    EXPECT_EQ(names(roster.contactList()), QStringList({"both@x.org", "None", "To"}));
    EXPECT_EQ(names(roster.reverseList()), QStringList({"asking@x.org", "both@x.org", "From"}));
}

TEST(XmppRosterTest, OrderIsByAddressWhateverTheServerSent)
{
    XmppRoster roster;
    roster.reset({{"zoe@x.org", "", Subscription::To},
                  {"Bea@x.org", "", Subscription::To},
                  {"ana@x.org", "", Subscription::To}});
    // Code unit order: capitals first. Stable between runs, which is what the window needs.
    EXPECT_EQ(addresses(roster.contactList()),
              QStringList({"Bea@x.org", "ana@x.org", "zoe@x.org"}));
}

TEST(XmppRosterTest, RequestFromAKnownContactIsListedOnceWithItsName)
{
    XmppRoster roster;
    roster.reset({{"ana@x.org", "Ana", Subscription::To}});
    roster.addRequest("ana@x.org");
    roster.addRequest("ana@x.org");
    EXPECT_EQ(names(roster.reverseList()), QStringList({"Ana"}));

    roster.update({"ana@x.org", "Ana", Subscription::Both});
    EXPECT_EQ(roster.reverseList().size(), 1);
}

TEST(XmppRosterTest, PushesChangeTheListsAndOldSnapshotsStay)
{
    XmppRoster roster = everyState();
    const QList<MessengerUser> before = roster.contactList();

    roster.update({"both@x.org", "", Subscription::None}); // the contact deleted the user
    roster.update({"new@x.org", "Nuevo", Subscription::To});
    roster.remove("to@x.org");
    roster.dropRequest("asking@x.org");

    EXPECT_EQ(addresses(roster.contactList()),
              QStringList({"both@x.org", "new@x.org", "none@x.org"}));
    EXPECT_EQ(addresses(roster.reverseList()), QStringList({"from@x.org"}));
    EXPECT_EQ(addresses(before), QStringList({"both@x.org", "none@x.org", "to@x.org"}));
}

TEST(XmppRosterTest, ResetReplacesItemsButKeepsRequests)
{
    XmppRoster roster = everyState();
    roster.reset({{"only@x.org", "", Subscription::Both}});
    EXPECT_EQ(addresses(roster.contactList()), QStringList({"only@x.org"}));
    EXPECT_EQ(addresses(roster.reverseList()), QStringList({"asking@x.org", "only@x.org"}));
    EXPECT_FALSE(roster.item("to@x.org").has_value());
    EXPECT_TRUE(roster.hasRequest("asking@x.org"));
}

TEST(XmppRosterTest, LookupIsExact)
{
    const XmppRoster roster = everyState();
    ASSERT_TRUE(roster.item("to@x.org").has_value());
    EXPECT_EQ(roster.item("to@x.org")->name, "To");
    EXPECT_FALSE(roster.item("TO@x.org").has_value());
    EXPECT_FALSE(roster.item("to@x.org ").has_value());
    EXPECT_FALSE(roster.hasRequest("to@x.org"));
}

TEST(XmppRosterTest, RemovingWhatIsNotThereChangesNothing)
{
    XmppRoster roster = everyState();
    roster.remove("ghost@x.org");
    roster.dropRequest("ghost@x.org");
    EXPECT_EQ(roster.contactList().size(), 3);
    EXPECT_EQ(roster.reverseList().size(), 3);
}
