#include "core/ContactAudit.h"
#include "core/MemoryResultView.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerUser.h"
#include "tests/support/AuditFixtures.h"

#include <gtest/gtest.h>

namespace {

QStringList keys(const MemoryResultView &view)
{
    QStringList result;
    for (const auto &row : view.rows())
        result.append(row.key);
    return result;
}

QStringList numbered(const QString &prefix, int count)
{
    QStringList result;
    for (int i = 1; i <= count; ++i)
        result.append(QStringLiteral("%1%2@example.org").arg(prefix).arg(i));
    return result;
}

} // namespace

TEST(BuscaIgn, ListsContactsMissingFromTheReverseListInClientOrder)
{
    const QStringList contacts = {"d@example.org", "Ana@example.org", "c@example.org",
                                  "b@example.org ", "e@example.org"};
    const QStringList reverse = {"x@example.org", "ana@example.org", "c@example.org",
                                 "b@example.org", "e@example.org"};
    FaultyClient client(accountWith(contacts, reverse));
    MemoryResultView view;
    ContactAudit audit(view);
    audit.BuscaIgn(client);

    // Case and a trailing blank both make a different address.
    EXPECT_EQ(keys(view), QStringList({"d@example.org", "Ana@example.org", "b@example.org "}));
    for (const auto &row : view.rows()) {
        EXPECT_EQ(row.text, nameFor(row.key));
        EXPECT_EQ(row.smallIcon, 1);
        EXPECT_FALSE(row.checked);
    }
    EXPECT_EQ(audit.zorkoCount(), 3);
    EXPECT_EQ(view.caption(), QStringLiteral("Tienes 3 Zorko en tu Lista"));
    EXPECT_EQ(view.progressMax(), 5.0f);
    EXPECT_EQ(view.progressValue(), 5.0f);
    // The reverse list is asked for anew for every contact.
    EXPECT_EQ(client.reverseListCalls, 5);
}

TEST(BuscaIgn, CaptionsForNoneOneAndAll)
{
    {
        FaultyClient client(accountWith({}, {"x@example.org"}));
        MemoryResultView view;
        ContactAudit audit(view);
        audit.BuscaIgn(client);
        EXPECT_EQ(view.rowCount(), 0);
        EXPECT_EQ(view.caption(), QStringLiteral("No hay Zorko en tu lista"));
        EXPECT_EQ(view.progressMax(), 0.0f);
        EXPECT_EQ(view.progressValue(), 0.0f);
    }
    {
        FaultyClient client(accountWith({"a@example.org", "b@example.org"}, {"b@example.org"}));
        MemoryResultView view;
        ContactAudit audit(view);
        audit.BuscaIgn(client);
        EXPECT_EQ(view.caption(), QStringLiteral("Tienes 1 Zorko en tu Lista"));
    }
    {
        const QStringList all = numbered("c", 4);
        FaultyClient client(accountWith(all, {}));
        MemoryResultView view;
        ContactAudit audit(view);
        audit.BuscaIgn(client);
        EXPECT_EQ(keys(view), all);
        EXPECT_EQ(view.caption(), QStringLiteral("Tienes 4 Zorko en tu Lista"));
    }
    {
        const QStringList all = numbered("m", 3);
        FaultyClient client(accountWith(all, all));
        MemoryResultView view;
        ContactAudit audit(view);
        audit.BuscaIgn(client);
        EXPECT_EQ(view.rowCount(), 0);
        EXPECT_EQ(view.progressValue(), 3.0f);
        EXPECT_EQ(view.caption(), QStringLiteral("No hay Zorko en tu lista"));
    }
}

TEST(BuscaIgn, RestartsCountAndProgressButLeavesRowsAndDeleteMenuToItsCaller)
{
    FaultyClient client(accountWith(numbered("c", 3), {"c2@example.org"}));
    MemoryResultView view;
    view.setDeleteMenuEnabled(true);
    ContactAudit audit(view);
    audit.BuscaIgn(client);
    audit.BuscaIgn(client);
    EXPECT_EQ(view.rowCount(), 4);
    EXPECT_EQ(audit.zorkoCount(), 2);
    EXPECT_EQ(view.caption(), QStringLiteral("Tienes 2 Zorko en tu Lista"));
    EXPECT_EQ(view.progressValue(), 3.0f);
    EXPECT_TRUE(view.isDeleteMenuEnabled());
}

TEST(BuscaIgn, CountPastThe16BitLimitIsAnErrorThatKeepsTheRowsSoFar)
{
    FaultyClient fits(accountWith(numbered("c", 32767), {}));
    MemoryResultView fitsView;
    ContactAudit fitsAudit(fitsView);
    fitsAudit.BuscaIgn(fits);
    EXPECT_EQ(fitsView.caption(), QStringLiteral("Tienes 32767 Zorko en tu Lista"));

    FaultyClient client(accountWith(numbered("c", 32768), {}));
    MemoryResultView view;
    view.setCaption(QStringLiteral("antes"));
    ContactAudit audit(view);
    EXPECT_THROW(audit.BuscaIgn(client), OverflowError);
    EXPECT_EQ(view.rowCount(), 32767);
    EXPECT_EQ(audit.zorkoCount(), 32767);
    EXPECT_EQ(view.caption(), QStringLiteral("antes"));
}

TEST(BuscaIgn, AClientErrorEndsTheScanWhereItHappens)
{
    FaultyClient client(accountWith(numbered("c", 5), {}));
    // Calls 1 and 2 fetch the contact list; 3 and 4 the reverse list for two contacts.
    client.failUserListFromCall = 5;
    MemoryResultView view;
    view.setCaption(QStringLiteral("antes"));
    ContactAudit audit(view);
    try {
        audit.BuscaIgn(client);
        ADD_FAILURE() << "the client error was lost";
    } catch (const MessengerError &error) {
        EXPECT_EQ(error.message(), QStringLiteral("conexión perdida"));
    }
    EXPECT_EQ(keys(view), numbered("c", 2));
    EXPECT_EQ(view.caption(), QStringLiteral("antes"));
}

class RemoveCheckedTest : public ::testing::Test
{
protected:
    void scan(const QStringList &contacts, QSet<QString> refused = {})
    {
        m_store = std::make_shared<RecordingStore>(std::move(refused));
        m_client = std::make_unique<FaultyClient>(accountWith(contacts, {}), m_store);
        m_audit.BuscaIgn(*m_client);
        m_view.setDeleteMenuEnabled(true);
    }
    void check(std::initializer_list<int> rows)
    {
        for (int row : rows)
            m_view.setRowChecked(row, true);
    }

    MemoryResultView m_view;
    ContactAudit m_audit{m_view};
    std::shared_ptr<RecordingStore> m_store;
    std::unique_ptr<FaultyClient> m_client;
};

TEST_F(RemoveCheckedTest, RemovesCheckedRowsTopToBottom)
{
    const QStringList five = numbered("c", 5);
    scan(five);
    check({2, 4});
    EXPECT_TRUE(m_audit.RemoveChecked(*m_client).isEmpty());
    EXPECT_EQ(m_store->removed, QStringList({"c2@example.org", "c4@example.org"}));
    EXPECT_EQ(keys(m_view), QStringList({"c1@example.org", "c3@example.org", "c5@example.org"}));
    EXPECT_EQ(contactAddresses(*m_client), keys(m_view));
    for (const auto &row : m_view.rows())
        EXPECT_FALSE(row.checked);
    EXPECT_EQ(m_audit.zorkoCount(), 3);
    EXPECT_EQ(m_view.caption(), QStringLiteral("Aun tienes 3 En tu Lista"));
    EXPECT_TRUE(m_view.isDeleteMenuEnabled());
    // Later passes examined the remaining rows and let go of the removed user.
    EXPECT_EQ(m_audit.pendingEmail(), QString());
    EXPECT_EQ(m_audit.pendingUser(), nullptr);
}

TEST_F(RemoveCheckedTest, AllCheckedEmptiesTheListAndDisablesTheMenu)
{
    scan(numbered("c", 3));
    check({1, 2, 3});
    EXPECT_TRUE(m_audit.RemoveChecked(*m_client).isEmpty());
    EXPECT_EQ(m_view.rowCount(), 0);
    EXPECT_EQ(contactAddresses(*m_client), QStringList());
    EXPECT_EQ(m_audit.zorkoCount(), 0);
    EXPECT_EQ(m_view.caption(), QStringLiteral("Ya no hay zorko en tu Lista"));
    EXPECT_FALSE(m_view.isDeleteMenuEnabled());
    // The last removed user is held until another row is examined.
    EXPECT_EQ(m_audit.pendingEmail(), QStringLiteral("c3@example.org"));
    ASSERT_NE(m_audit.pendingUser(), nullptr);
    EXPECT_EQ(m_audit.pendingUser()->member(u"EmailAddress"), QStringLiteral("c3@example.org"));
    m_audit.releasePendingUser();
    EXPECT_EQ(m_audit.pendingUser(), nullptr);
}

TEST_F(RemoveCheckedTest, NothingCheckedChangesNothingButTheCaption)
{
    scan(numbered("c", 2));
    EXPECT_TRUE(m_audit.RemoveChecked(*m_client).isEmpty());
    EXPECT_EQ(m_view.rowCount(), 2);
    EXPECT_TRUE(m_store->removed.isEmpty());
    EXPECT_EQ(m_view.caption(), QStringLiteral("Aun tienes 2 En tu Lista"));
    EXPECT_TRUE(m_view.isDeleteMenuEnabled());
}

TEST_F(RemoveCheckedTest, EmptyListDisablesTheMenu)
{
    scan({});
    EXPECT_TRUE(m_audit.RemoveChecked(*m_client).isEmpty());
    EXPECT_EQ(m_view.caption(), QStringLiteral("Ya no hay zorko en tu Lista"));
    EXPECT_FALSE(m_view.isDeleteMenuEnabled());
}

TEST_F(RemoveCheckedTest, ARefusedRowStaysCheckedAndIsReportedWhileTheOthersGo)
{
    scan(numbered("c", 5), {"c2@example.org"});
    m_client->failingLookUps.insert(QStringLiteral("c4@example.org"));
    check({1, 2, 4, 5});
    const QList<RemovalFailure> failures = m_audit.RemoveChecked(*m_client);
    EXPECT_EQ(failures, QList<RemovalFailure>({{"c2@example.org", "el servidor no lo permite"},
                                               {"c4@example.org", "usuario desconocido"}}));
    EXPECT_EQ(m_store->removed, QStringList({"c1@example.org", "c5@example.org"}));
    EXPECT_EQ(keys(m_view), QStringList({"c2@example.org", "c3@example.org", "c4@example.org"}));
    EXPECT_TRUE(m_view.isRowChecked(1));
    EXPECT_FALSE(m_view.isRowChecked(2));
    EXPECT_TRUE(m_view.isRowChecked(3));
    EXPECT_EQ(contactAddresses(*m_client), keys(m_view));
    EXPECT_EQ(m_audit.zorkoCount(), 3);
    EXPECT_EQ(m_view.caption(), QStringLiteral("Aun tienes 3 En tu Lista"));
}

TEST_F(RemoveCheckedTest, EveryRowRefusedEndsWithTheListAsItWas)
{
    const QStringList three = numbered("c", 3);
    scan(three, QSet<QString>(three.cbegin(), three.cend()));
    check({1, 2, 3});
    const QList<RemovalFailure> failures = m_audit.RemoveChecked(*m_client);
    ASSERT_EQ(failures.size(), 3);
    EXPECT_EQ(failures.at(0).emailAddress, three.at(0));
    EXPECT_EQ(failures.at(2).emailAddress, three.at(2));
    EXPECT_EQ(keys(m_view), three);
    EXPECT_EQ(m_view.caption(), QStringLiteral("Aun tienes 3 En tu Lista"));
    EXPECT_TRUE(m_view.isDeleteMenuEnabled());
}
