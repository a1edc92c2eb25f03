#include "core/ContactAudit.h"
#include "core/MemoryResultView.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUserList.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadMessengerClient.h"
#include "tests/download/DownloadFixtures.h"
#include "tests/download/ZipWriter.h"

#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace DownloadFixtures;

namespace {

TEST(DownloadClientTest, ScansAndRefusesEveryRemovalKeepingTheRows)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("instagram.zip");
    ASSERT_TRUE(writeZip(path, {{"connections/followers_and_following/followers_1.json",
                                 jsonArray({instagramEntry("ana"), instagramEntry("luis")})},
                                {"connections/followers_and_following/following.json",
                                 instagramFollowing({instagramEntry("pepe"), instagramEntry("ana"),
                                                     instagramEntry("marta")})}}));
    // --account takes the ZIP as a download, by its content.
    const RememberedAccounts remembered(QString{});
    const AccountChooser chooser(QProcessEnvironment(), remembered);
    const AccountChoice choice = chooser.named(path, "--account");
    EXPECT_EQ(choice.kind, AccountChoice::Kind::Download);
    EXPECT_EQ(choice.backendName(), "download");
    const std::unique_ptr<MessengerClient> client = AccountChooser::downloadClient(path);

    MemoryResultView view;
    ContactAudit audit(view);
    audit.BuscaIgn(*client);
    ASSERT_EQ(view.rowCount(), 2);
    EXPECT_EQ(view.rowKey(1), "pepe");
    EXPECT_EQ(view.rowKey(2), "marta");
    EXPECT_TRUE(client->hasProfileLinks());
    EXPECT_EQ(client->profileLink("marta"), "https://www.instagram.com/marta");
    const QString refusal = "Esto es una copia descargada de Instagram: deja de seguir a estas "
                            "cuentas desde Instagram.";
    EXPECT_EQ(client->removalRefusal(), refusal);

    // Even a caller that tries keeps every row: the client refuses each one.
    view.setRowChecked(1, true);
    view.setRowChecked(2, true);
    const QList<RemovalFailure> failures = audit.RemoveChecked(*client);
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures.at(0).reason, refusal);
    EXPECT_EQ(view.rowCount(), 2);
    EXPECT_EQ(client->userList(MessengerClient::ContactList)->count(), 3);
}

} // namespace
