#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/Mojibake.h"
#include "tests/download/DownloadFixtures.h"
#include "tests/download/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace DownloadFixtures;

namespace {

QStringList keysOf(const QList<MessengerUser> &users)
{
    QStringList keys;
    for (const MessengerUser &user : users)
        keys.append(user.member(u"EmailAddress"));
    return keys;
}

class DownloadFormatsTest : public ::testing::Test
{
protected:
    QString zip(const QList<ZipEntry> &entries)
    {
        QString path = m_dir.filePath(QStringLiteral("descarga-%1.zip").arg(++m_count));
        EXPECT_TRUE(writeZip(path, entries));
        return path;
    }
    QString folder(const QList<ZipEntry> &entries)
    {
        QString path = m_dir.filePath(QStringLiteral("carpeta-%1").arg(++m_count));
        for (const ZipEntry &entry : entries) {
            const QString file = path + QLatin1Char('/') + entry.name;
            QDir().mkpath(QFileInfo(file).path());
            QFile out(file);
            EXPECT_TRUE(out.open(QIODevice::WriteOnly));
            out.write(entry.content);
        }
        return path;
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(DownloadFormatsTest, InstagramJsonCurrentLayoutInZipAndFolder)
{
    const QList<ZipEntry> entries{
        {"connections/followers_and_following/followers_1.json",
         jsonArray({instagramEntry("ana.soto"), instagramEntry("luis")})},
        {"connections/followers_and_following/followers_2.json",
         jsonArray({instagramEntry("marta", {}, 1700000000)})},
        {"connections/followers_and_following/following.json",
         instagramFollowing(
             {instagramEntry("luis"), instagramEntry("pepe"), instagramEntry("marta")})},
        {"personal_information/personal_information/personal_information.json",
         R"({"profile_user": [{"string_map_data": {"Username": {"value": "yo.mismo"},
             "Name": {"value": "Jos\u00c3\u00a9"}}}]})"}};
    for (const QString &path : {zip(entries), folder(entries)}) {
        const DataDownload download(path);
        EXPECT_EQ(download.network(), "Instagram");
        EXPECT_EQ(keysOf(download.account().contactList), QStringList({"luis", "pepe", "marta"}));
        EXPECT_EQ(keysOf(download.account().reverseList),
                  QStringList({"ana.soto", "luis", "marta"}));
        EXPECT_EQ(download.account().signInName, "yo.mismo (Instagram)");
        EXPECT_EQ(download.account().displayName, QString::fromUtf8("José"));
        EXPECT_EQ(download.links().value("pepe"), "https://www.instagram.com/pepe");
        EXPECT_EQ(download.takenAt(), QDateTime::fromSecsSinceEpoch(1700000000, QTimeZone::utc()));
    }
}

TEST_F(DownloadFormatsTest, InstagramOlderLayoutAndNameFallbacks)
{
    const QString path =
        zip({{"followers_and_following/followers.json",
              jsonArray({instagramEntry({}, "https://www.instagram.com/_u/sin.valor/?igsh=abc123"),
                         instagramEntry({}, "https://www.instagram.com/x", 1, "del.titulo")})},
             {"followers_and_following/following.json",
              instagramFollowing({instagramEntry("sin.valor"), instagramEntry("nadie")})}});
    const DataDownload download(path);
    EXPECT_EQ(keysOf(download.account().reverseList), QStringList({"sin.valor", "del.titulo"}));
    EXPECT_EQ(download.links().value("nadie"), "https://www.instagram.com/nadie");
    // Without a profile, the network and the file name the account.
    EXPECT_EQ(download.account().signInName,
              QStringLiteral("Instagram (%1)").arg(QFileInfo(path).fileName()));
}

TEST_F(DownloadFormatsTest, MojibakeRepairedOnlyWhereItIsMojibake)
{
    EXPECT_EQ(repairMojibake(QString::fromLatin1("Jos\xc3\xa9")), QString::fromUtf8("José"));
    // A real é, a lone high byte and text beyond Latin-1 are kept as they are.
    EXPECT_EQ(repairMojibake(QString::fromUtf8("José")), QString::fromUtf8("José"));
    EXPECT_EQ(repairMojibake(QString::fromLatin1("a\xe9z")), QString::fromLatin1("a\xe9z"));
    EXPECT_EQ(repairMojibake(QString::fromUtf8("Ã© 東")), QString::fromUtf8("Ã© 東"));
    EXPECT_EQ(repairMojibake("ana"), "ana");
}

TEST_F(DownloadFormatsTest, InstagramHtml)
{
    const QByteArray followers = R"(<html><body><div><div><a target="_blank"
        href="https://www.instagram.com/ana.soto">ana.soto</a><div>Feb 14, 2023</div></div>
        <div><a href="https://www.instagram.com/luis">luis</a></div>
        <a href="https://help.example.org/">Ayuda</a></div></body></html>)";
    const QByteArray following = R"(<html><body><a href="https://www.instagram.com/luis">luis</a>
        <p><a href="https://www.instagram.com/_u/pepe/?igsh=zz">pepe</a></body></html>)";
    const DataDownload download(
        zip({{"connections/followers_and_following/followers_1.html", followers},
             {"connections/followers_and_following/following.html", following}}));
    EXPECT_EQ(keysOf(download.account().reverseList), QStringList({"ana.soto", "luis"}));
    EXPECT_EQ(keysOf(download.account().contactList), QStringList({"luis", "pepe"}));
    EXPECT_EQ(download.links().value("pepe"), "https://www.instagram.com/pepe");
}

TEST_F(DownloadFormatsTest, Threads)
{
    const DataDownload download(
        zip({{"your_instagram_activity/threads/followers.json",
              instagramFollowing({instagramEntry("ana", "https://www.threads.net/@ana")},
                                 "text_post_app_text_post_app_followers")},
             {"your_instagram_activity/threads/following.json",
              instagramFollowing({instagramEntry("ana", "https://www.threads.com/@ana"),
                                  instagramEntry({}, "https://www.threads.com/@bea")},
                                 "text_post_app_text_post_app_following")}}));
    EXPECT_EQ(download.network(), "Threads");
    EXPECT_EQ(keysOf(download.account().contactList), QStringList({"ana", "bea"}));
    EXPECT_EQ(download.links().value("bea"), "https://www.threads.com/@bea");
}

TEST_F(DownloadFormatsTest, TikTokJsonBothNamesAndSections)
{
    const QByteArray older =
        "{\"Activity\": {\"Follower List\": {\"FansList\": " + tikTokItems({"ana", "luis"}) +
        "}, \"Following List\": {\"Following\": " + tikTokItems({"luis", "pepe"}) +
        "}}, \"Profile\": {\"Profile Information\": {\"ProfileMap\": "
        "{\"userName\": \"yo\", \"nickName\": \"Yo Mismo\"}}}}";
    const QByteArray newer =
        "{\"Your Activity\": {\"Follower\": {\"Follower List\": {\"FansList\": " +
        tikTokItems({"ana"}) + "}}, \"Following List\": {\"Following\": " + tikTokItems({"pepe"}) +
        "}}}";
    const DataDownload first(zip({{"user_data.json", older}}));
    EXPECT_EQ(first.network(), "TikTok");
    EXPECT_EQ(keysOf(first.account().contactList), QStringList({"luis", "pepe"}));
    EXPECT_EQ(first.account().signInName, "yo (TikTok)");
    EXPECT_EQ(first.account().displayName, "Yo Mismo");
    EXPECT_EQ(first.links().value("pepe"), "https://www.tiktok.com/@pepe");
    EXPECT_EQ(first.takenAt(), QDateTime(QDate(2021, 11, 11), QTime(10, 0), QTimeZone::utc()));
    const DataDownload second(zip({{"TikTok/user_data_tiktok.json", newer}}));
    EXPECT_EQ(keysOf(second.account().reverseList), QStringList({"ana"}));
}

TEST_F(DownloadFormatsTest, TikTokText)
{
    const DataDownload download(
        folder({{"Activity/Follower.txt", "\xef\xbb\xbf"
                                          "Date: 2022-01-02 03:04:05\nUsername: ana\n\n"
                                          "Date: 2022-01-03 03:04:05\r\nUsername: luis\r\n"},
                {"Activity/Following.txt", "Date: 2022-01-01 00:00:00\nUsername: luis\n\n"
                                           "Date: 2022-01-01 00:00:00\nUsername: pepe\n"}}));
    EXPECT_EQ(keysOf(download.account().reverseList), QStringList({"ana", "luis"}));
    EXPECT_EQ(keysOf(download.account().contactList), QStringList({"luis", "pepe"}));
    EXPECT_EQ(download.takenAt(), QDateTime(QDate(2022, 1, 3), QTime(3, 4, 5), QTimeZone::utc()));
}

TEST_F(DownloadFormatsTest, XPartsIdsAndBothHosts)
{
    const time_t made = 1710000000;
    const DataDownload download(
        zip({{"data/follower.js", xList("follower", 0, {"1252851", "77"}), made},
             {"data/follower-part1.js", xList("follower", 1, {"99"}, "x.com"), made - 10},
             {"data/following.js", xList("following", 0, {"77", "4242"}, "x.com"), made - 20},
             {"data/account.js",
              "window.YTD.account.part0 = [{\"account\": {\"username\": \"yo\", "
              "\"accountId\": \"5\", \"accountDisplayName\": \"Yo\"}}]",
              made - 30}}));
    EXPECT_EQ(download.network(), "X");
    EXPECT_EQ(keysOf(download.account().reverseList), QStringList({"1252851", "77", "99"}));
    EXPECT_EQ(keysOf(download.account().contactList), QStringList({"77", "4242"}));
    EXPECT_EQ(download.links().value("4242"), "https://x.com/intent/user?user_id=4242");
    EXPECT_EQ(download.account().signInName, "yo (X)");
    // No time inside X's lists: the ZIP's newest entry dates the download.
    EXPECT_EQ(download.takenAt().toSecsSinceEpoch(), qint64(made));
}

} // namespace
