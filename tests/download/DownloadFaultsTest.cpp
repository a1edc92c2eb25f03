#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadError.h"
#include "tests/download/DownloadFixtures.h"
#include "tests/download/ZipWriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace DownloadFixtures;

namespace {

class DownloadFaultsTest : public ::testing::Test
{
protected:
    QString zip(const QList<ZipEntry> &entries)
    {
        QString path = m_dir.filePath(QStringLiteral("d%1.zip").arg(++m_count));
        EXPECT_TRUE(writeZip(path, entries));
        return path;
    }
    QString file(const QByteArray &content)
    {
        QString path = m_dir.filePath(QStringLiteral("f%1.zip").arg(++m_count));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(content);
        return path;
    }
    static QByteArray read(const QString &path)
    {
        QFile in(path);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        return in.readAll();
    }
    template <typename Fault> QString failure(const QString &path)
    {
        try {
            DataDownload download(path);
        } catch (const Fault &error) {
            return error.message();
        } catch (const std::exception &other) {
            ADD_FAILURE() << "another fault: " << other.what();
            return {};
        }
        ADD_FAILURE() << "no fault";
        return {};
    }
    QList<ZipEntry> instagram() const
    {
        return {{"followers_and_following/followers_1.json", jsonArray({instagramEntry("ana")})},
                {"followers_and_following/following.json",
                 instagramFollowing({instagramEntry("ana")})}};
    }

    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST_F(DownloadFaultsTest, NotAZipTruncatedAndBrokenDirectory)
{
    const QString notZip = failure<DownloadDamagedError>(file("{\"no\": \"zip\"}"));
    // libzip's reason in our words.
    EXPECT_TRUE(notZip.contains("(no es un archivo ZIP)")) << notZip.toStdString();
    const QByteArray whole = read(zip(instagram()));
    EXPECT_TRUE(failure<DownloadDamagedError>(file(whole.left(whole.size() - 30)))
                    .contains("no es un ZIP"));
    // A directory whose entry points into the middle of nowhere.
    QByteArray broken = whole;
    const qsizetype central = broken.lastIndexOf("PK\x01\x02");
    ASSERT_GT(central, 0);
    broken[central + 42] = char(0x7f);
    EXPECT_FALSE(failure<DownloadDamagedError>(file(broken)).isEmpty());
}

TEST_F(DownloadFaultsTest, EncryptedEntryAndUnsafeNames)
{
    QList<ZipEntry> entries = instagram();
    entries[0].encrypted = true;
    EXPECT_TRUE(failure<DownloadUnsafeError>(zip(entries)).contains("cifrada"));
    for (const QString &name : {QStringLiteral("../fuera.json"), QStringLiteral("/etc/x.json"),
                                QStringLiteral("a/../../b.json")}) {
        QList<ZipEntry> unsafe = instagram();
        unsafe.append({name, "{}"});
        const QString message = failure<DownloadUnsafeError>(zip(unsafe));
        EXPECT_TRUE(message.contains(name)) << message.toStdString();
    }
}

TEST_F(DownloadFaultsTest, DecompressionBombByRatio)
{
    QList<ZipEntry> entries = instagram();
    entries[0].content = "[" + QByteArray(64 << 20, ' ') + "]";
    const QString message = failure<DownloadTooLargeError>(zip(entries));
    EXPECT_TRUE(message.contains("followers_1.json")) << message.toStdString();
}

TEST_F(DownloadFaultsTest, OneListAloneOrNoneIsRefused)
{
    const QList<ZipEntry> all = instagram();
    EXPECT_TRUE(failure<DownloadListsMissingError>(zip({all.at(1)}))
                    .contains("La descarga no contiene la lista de seguidores: al pedirla, elige "
                              "«Seguidores y seguidos»"));
    EXPECT_TRUE(failure<DownloadListsMissingError>(zip({all.at(0)}))
                    .contains("lista de cuentas que sigues"));
    EXPECT_TRUE(failure<DownloadListsMissingError>(zip({{"messages/inbox/a.json", "{}"}}))
                    .contains("La descarga no contiene la lista de seguidores"));
    EXPECT_TRUE(failure<DownloadListsMissingError>(
                    zip({{"data/following.js", xList("following", 0, {"1"})}}))
                    .contains("seguidores"));
    EXPECT_TRUE(failure<DownloadListsMissingError>(
                    zip({{"user_data.json", "{\"Activity\": {\"Following List\": {\"Following\": "
                                            "[]}}}"}}))
                    .contains("seguidores"));
}

TEST_F(DownloadFaultsTest, ListsThatDoNotParseNameTheEntryAndPlace)
{
    QList<ZipEntry> entries = instagram();
    entries[0].content = "[\n  {\"title\": \"ana\",\n  oops}\n]";
    const QString json = failure<DownloadParseError>(zip(entries));
    EXPECT_TRUE(json.contains("followers_1.json") && json.contains("línea 3"))
        << json.toStdString();
    // The parser's reason in our words, never its English.
    EXPECT_TRUE(json.contains("(falta cerrar un objeto, línea 3")) << json.toStdString();

    entries = instagram();
    entries[0].content = "[{\"title\": \"\", \"string_list_data\": []}]";
    EXPECT_TRUE(failure<DownloadParseError>(zip(entries)).contains("número 1"));

    const QString x = failure<DownloadParseError>(
        zip({{"data/follower.js", "window.YTD.follower.part0 = [ {\"follower\": }]"},
             {"data/following.js", xList("following", 0, {"1"})}}));
    EXPECT_TRUE(x.contains("follower.js") && x.contains("columna")) << x.toStdString();
    EXPECT_TRUE(
        failure<DownloadParseError>(zip({{"data/follower.js", "var x = []"},
                                         {"data/following.js", xList("following", 0, {"1"})}}))
            .contains("window.YTD.follower"));

    const QString text = failure<DownloadParseError>(
        zip({{"Follower.txt", "Date: 2022-01-01 00:00:00\nUsername: ana\nbasura\n"},
             {"Following.txt", "Username: ana\n"}}));
    EXPECT_TRUE(text.contains("Follower.txt") && text.contains("línea 3")) << text.toStdString();

    const QString html =
        failure<DownloadParseError>(zip({{"followers_and_following/followers_1.html", ""},
                                         {"followers_and_following/following.html",
                                          "<a href='https://www.instagram.com/a'>a</a>"}}));
    EXPECT_TRUE(html.contains("followers_1.html")) << html.toStdString();
}

} // namespace

// A long followers list is read element by element: brackets, quotes and backslashes inside
// its texts must not end an element early, and an array that breaks between elements (or
// after the last) is refused with the parser's own place, never read as a shorter list.
TEST_F(DownloadFaultsTest, FollowersReadOneByOneKeepEveryEntryAndEveryFault)
{
    QList<ZipEntry> entries = instagram();
    const QByteArray tricky =
        "{\"title\": \"}]\\\\\", \"media_list_data\": [{\"x\": \"[{\\\"\"}], \"string_list_data\": "
        "[{\"href\": \"https://www.instagram.com/bea\", \"value\": \"bea\"}]}";
    entries[0].content = " \r\n[ " + instagramEntry("ana") + " ,\t" + tricky + ",\n" +
                         instagramEntry("cris") + " ]\n\n";
    {
        const DataDownload download(zip(entries));
        QStringList followers;
        for (const MessengerUser &user : download.account().reverseList)
            followers.append(user.member(u"EmailAddress"));
        EXPECT_EQ(followers, (QStringList{"ana", "bea", "cris"}));
    }
    entries[0].content = "[]";
    EXPECT_TRUE(DataDownload(zip(entries)).account().reverseList.isEmpty());

    const QByteArray ana = instagramEntry("ana");
    for (const QByteArray &broken :
         {QByteArray("[" + ana + "\n" + ana + "]"), QByteArray("[" + ana + ",\n]"),
          QByteArray("[" + ana + "]\nx"), QByteArray("[" + ana + ",\n" + ana),
          QByteArray("[" + ana + ", {\"title\": \"]}"), QByteArray("[" + ana + ",\n{]}]")}) {
        entries[0].content = broken;
        const QString message = failure<DownloadParseError>(zip(entries));
        EXPECT_TRUE(message.contains("followers_1.json") && message.contains("línea"))
            << broken.toStdString() << " → " << message.toStdString();
    }
}
