#include "tests/audit/AuditRun.h"
#include "tests/download/DownloadFixtures.h"
#include "tests/download/ZipWriter.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace DownloadFixtures;

// orvalin-audit on Instagram downloads, with the history in a folder of the test's own.
namespace {

class DownloadAuditTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_savedDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", m_dir.filePath("data").toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_DATA_HOME", m_savedDataHome); }

    // A download whose lists were taken at the given time.
    QString download(const QString &name, qint64 when, const QStringList &followers)
    {
        QList<QByteArray> items;
        for (const QString &follower : followers)
            items.append(instagramEntry(follower, {}, when));
        QString path = m_dir.filePath(name);
        EXPECT_TRUE(writeZip(
            path, {{"connections/followers_and_following/followers_1.json", jsonArray(items)},
                   {"connections/followers_and_following/following.json",
                    instagramFollowing({instagramEntry("pepe", {}, when - 100),
                                        instagramEntry("marta", {}, when - 100)})},
                   {"personal_information/personal_information/personal_information.json",
                    R"({"profile_user": [{"string_map_data": {"Username": {"value": "yo"}}}]})"}}));
        return path;
    }
    static Outcome run(const QStringList &arguments)
    {
        return runAudit(arguments, QProcessEnvironment());
    }

    QTemporaryDir m_dir;
    QByteArray m_savedDataHome;
};

TEST_F(DownloadAuditTest, ScanGivesLinksAndRemovalIsRefused)
{
    const QString path = download("marzo.zip", 1709251200, {"marta"});
    const QJsonObject json =
        QJsonDocument::fromJson(run({"--account", path, "scan", "--format", "json"}).out.toUtf8())
            .object();
    const QJsonArray zorkos = json.value("zorkos").toArray();
    ASSERT_EQ(zorkos.size(), 1);
    EXPECT_EQ(zorkos.at(0).toObject().value("EmailAddress"), "pepe");
    EXPECT_EQ(zorkos.at(0).toObject().value("link"), "https://www.instagram.com/pepe");
    EXPECT_EQ(run({"--account", path, "scan", "--format", "csv"}).out,
              "EmailAddress,FriendlyName,Link\r\npepe,pepe,https://www.instagram.com/pepe\r\n");

    const Outcome removal = run({"--account", path, "remove", "pepe"});
    EXPECT_EQ(removal.status, AuditTool::Incomplete);
    EXPECT_TRUE(removal.err.contains("Esto es una copia descargada de Instagram: deja de seguir a "
                                     "estas cuentas desde Instagram."))
        << removal.err.toStdString();
    EXPECT_EQ(run({"--account", path, "scan", "--format", "csv"}).out.count('\n'), 2);
}

TEST_F(DownloadAuditTest, ChangesFollowTheDownloadsOwnDatesNotTheOrderOpened)
{
    const QString march = download("marzo.zip", 1709251200, {"marta"});
    const QString april = download("abril.zip", 1711929600, {});
    // The newer download is opened first; the older one must not become the latest.
    ASSERT_EQ(run({"--account", april, "scan"}).status, AuditTool::Done);
    ASSERT_EQ(run({"--account", march, "scan"}).status, AuditTool::Done);
    const QJsonObject changes =
        QJsonDocument::fromJson(
            run({"--account", april, "changes", "--format", "json"}).out.toUtf8())
            .object();
    const QJsonArray fresh = changes.value("new").toArray();
    ASSERT_EQ(fresh.size(), 1) << QJsonDocument(changes).toJson().toStdString();
    EXPECT_EQ(fresh.at(0).toObject().value("EmailAddress"), "marta");
    EXPECT_TRUE(changes.value("addedBack").toArray().isEmpty());
}

TEST_F(DownloadAuditTest, KeepTakesTheNetworksUserNamesAndNamesTheDownloadsAccount)
{
    const QString path = download("marzo.zip", 1709251200, {"marta"});
    const Outcome kept = run({"--account", path, "keep", "add", "pepe", "nadie"});
    EXPECT_EQ(kept.status, AuditTool::Incomplete) << kept.err.toStdString();
    EXPECT_TRUE(kept.out.startsWith("Protegido: pepe (cuenta yo (Instagram))\n"))
        << kept.out.toStdString();
    EXPECT_TRUE(kept.out.contains("No protegido: nadie")) << kept.out.toStdString();
    const QJsonObject json =
        QJsonDocument::fromJson(run({"--account", path, "scan", "--format", "json"}).out.toUtf8())
            .object();
    EXPECT_TRUE(json.value("zorkos").toArray().at(0).toObject().value("kept").toBool());
}

} // namespace
