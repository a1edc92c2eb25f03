#include "platform/messenger/download/JsonArrayStream.h"
#include "platform/messenger/download/DataDownload.h"
#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/FolderEntries.h"
#include "platform/messenger/download/InstagramReader.h"
#include "platform/messenger/download/XReader.h"
#include "platform/messenger/download/ZipEntries.h"
#include "tests/download/DownloadFixtures.h"
#include "tests/download/ZipWriter.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>
#include <array>
#include <gtest/gtest.h>

// A bare array read in pieces hands over exactly the objects a whole read would, wherever the
// pieces break, and refuses what is not such an array; a download's long entries are read that
// way from a ZIP and from a folder alike.

using namespace DownloadFixtures;

namespace {

struct Streamed
{
    QStringList titles;
    bool whole = false;
};

// A member's name, when given, lets the array stand as the one member of an object.
Streamed streamInPieces(const QByteArray &document, qsizetype pieceSize,
                        const QByteArray &member = {})
{
    Streamed out;
    const auto take = [&out](const QJsonObject &object, qsizetype index) {
        EXPECT_EQ(index, out.titles.size());
        out.titles.append(object.value(u"title").toString());
    };
    JsonArrayStream stream =
        member.isEmpty() ? JsonArrayStream(take) : JsonArrayStream(member, take);
    bool reading = true;
    for (qsizetype at = 0; at < document.size() && reading; at += pieceSize)
        reading = stream.append(
            QByteArrayView(document).sliced(at, std::min(pieceSize, document.size() - at)));
    out.whole = reading && stream.finish();
    return out;
}

QStringList titles(qsizetype count)
{
    QStringList out;
    for (qsizetype i = 0; i < count; ++i)
        out.append(QStringLiteral("seguidor%1").arg(i));
    return out;
}

QByteArray followers(const QStringList &names)
{
    QList<QByteArray> items;
    for (const QString &name : names)
        items.append(instagramEntry(name, {}, 1676354318, name));
    return jsonArray(items);
}

} // namespace

TEST(JsonArrayStream, EveryBreakBetweenPiecesGivesTheSameObjects)
{
    // Brackets, quotes and backslashes inside texts, nested lists and blanks everywhere.
    const QByteArray document =
        " \r\n[ {\"title\": \"a}]\\\\\", \"x\": [{\"y\": \"[{\\\"\"}]} ,\t{\"title\": \"b\\\"}\"},"
        "\n{\"title\": \"c\", \"n\": [[1], {\"k\": []}]} ]\n\n";
    const QStringList expected{"a}]\\", "b\"}", "c"};
    for (qsizetype size = 1; size <= document.size(); ++size) {
        const Streamed read = streamInPieces(document, size);
        EXPECT_TRUE(read.whole) << "pieces of " << size;
        EXPECT_EQ(read.titles, expected) << "pieces of " << size;
    }
    EXPECT_TRUE(streamInPieces("[]", 1).whole);
    EXPECT_TRUE(streamInPieces(" [ ] ", 2).titles.isEmpty());
}

TEST(JsonArrayStream, AnythingButABareArrayOfObjectsIsRefused)
{
    const QByteArray ana = "{\"title\": \"ana\"}";
    for (const QByteArray &refused :
         {QByteArray("{\"list\": [" + ana + "]}"), QByteArray("[" + ana + " " + ana + "]"),
          QByteArray("[" + ana + ",]"), QByteArray("[,]"), QByteArray("[" + ana + "] x"),
          QByteArray("[" + ana + ", 1]"), QByteArray("[" + ana + ", {\"title\": ]}"),
          QByteArray("[" + ana + ", {]"), QByteArray("[" + ana), QByteArray(""),
          QByteArray("[" + ana + "][]")}) {
        for (const qsizetype size : {qsizetype(1), qsizetype(3), refused.size() + 1}) {
            const Streamed read = streamInPieces(refused, size);
            EXPECT_FALSE(read.whole) << refused.toStdString() << ", pieces of " << size;
            // Whatever was handed over before the fault is only the objects that came first.
            EXPECT_LE(read.titles.size(), 1) << refused.toStdString();
        }
    }
}

TEST(JsonArrayStream, TheArrayMayBeTheOneMemberOfAnObjectOfTheGivenName)
{
    const QByteArray ana = "{\"title\": \"ana\"}";
    const QByteArray bea = "{\"title\": \"b}\\\"ea\"}";
    const QByteArray member = "relationships_following";
    for (const QByteArray &accepted :
         {QByteArray("{\"relationships_following\": [" + ana + ", " + bea + "]}"),
          QByteArray(" \n{ \"relationships_following\"\t:\r\n[ " + ana + ",\n" + bea + " ] }\n"),
          // The bare array is still taken as it is.
          QByteArray("[" + ana + "," + bea + "]")}) {
        for (qsizetype size = 1; size <= accepted.size(); ++size) {
            const Streamed read = streamInPieces(accepted, size, member);
            EXPECT_TRUE(read.whole) << accepted.toStdString() << ", pieces of " << size;
            EXPECT_EQ(read.titles, QStringList({"ana", "b}\"ea"})) << accepted.toStdString();
        }
    }
    EXPECT_TRUE(streamInPieces("{\"relationships_following\": []}", 1, member).whole);
    // Anything else goes to a whole read, which finds the list wherever it is or says why not.
    for (const QByteArray &refused :
         {QByteArray("{\"relationships_followers\": [" + ana + "]}"),
          QByteArray("{\" relationships_following\": [" + ana + "]}"),
          QByteArray("{\"relationships_following \": [" + ana + "]}"),
          QByteArray("{\"relationships_follow\": [" + ana + "]}"),
          QByteArray("{\"relationships_followingx\": [" + ana + "]}"),
          QByteArray("{\"relationships_following\": [" + ana + "], \"x\": 1}"),
          QByteArray("{\"x\": 1, \"relationships_following\": [" + ana + "]}"),
          QByteArray("{\"relationships_following\": [" + ana + "]"),
          QByteArray("{\"relationships_following\": [" + ana + "]} {}"),
          QByteArray("{\"relationships_following\": {}}"),
          QByteArray("{\"relationships_following\" [" + ana + "]}"),
          QByteArray("{relationships_following: [" + ana + "]}"), QByteArray("{}")}) {
        for (const qsizetype size : {qsizetype(1), qsizetype(4), refused.size() + 1}) {
            const Streamed read = streamInPieces(refused, size, member);
            EXPECT_FALSE(read.whole) << refused.toStdString() << ", pieces of " << size;
        }
    }
}

TEST(JsonArrayStream, OnceRefusedLaterPiecesAreIgnored)
{
    int taken = 0;
    JsonArrayStream stream([&taken](const QJsonObject &, qsizetype) { ++taken; });
    EXPECT_FALSE(stream.append("x"));
    EXPECT_FALSE(stream.append("[{\"title\": \"ana\"}]"));
    EXPECT_FALSE(stream.finish());
    EXPECT_EQ(taken, 0);
}

// Lists longer than a piece, as a ZIP entry and as a file of an unpacked folder: every
// follower read, in order, and the pieces put together are the entry itself.
TEST(DownloadPieces, LongListsAreReadInPiecesFromAZipAndAFolder)
{
    const QStringList names = titles(15000);
    const QByteArray content = followers(names);
    ASSERT_GT(content.size(), 2 * DownloadEntries::PieceSize);
    const QString followersName = QStringLiteral("followers_and_following/followers_1.json");
    const QString followingName = QStringLiteral("followers_and_following/following.json");
    const QByteArray following = instagramFollowing({instagramEntry("seguidor7")});

    QTemporaryDir dir;
    const QString zipPath = dir.filePath("descarga.zip");
    ASSERT_TRUE(writeZip(zipPath, {{followersName, content}, {followingName, following}}));
    const QString folder = dir.filePath("descarga");
    ASSERT_TRUE(QDir().mkpath(folder + "/followers_and_following"));
    for (const auto &[name, bytes] :
         {std::pair{followersName, content}, {followingName, following}}) {
        QFile file(folder + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    const ZipEntries zipEntries(zipPath);
    const FolderEntries folderEntries(folder);
    const std::array<const DownloadEntries *, 2> both{&zipEntries, &folderEntries};
    for (const DownloadEntries *entries : both) {
        QByteArray joined;
        int pieces = 0;
        entries->readPieces(followersName, [&](QByteArrayView piece) {
            EXPECT_LE(piece.size(), DownloadEntries::PieceSize);
            joined.append(piece);
            ++pieces;
            return true;
        });
        EXPECT_EQ(joined, content) << entries->path().toStdString();
        EXPECT_GE(pieces, 3);
        // Asked to stop, the reading stops.
        pieces = 0;
        entries->readPieces(followersName, [&](QByteArrayView) { return ++pieces < 2; });
        EXPECT_EQ(pieces, 2);
    }

    for (const QString &path : {zipPath, folder}) {
        const DataDownload download(path);
        QStringList read;
        for (const MessengerUser &user : download.account().reverseList)
            read.append(user.member(u"EmailAddress"));
        EXPECT_EQ(read, names) << path.toStdString();
    }
}

// A follower the list cannot name is still told by its number when it lies beyond the first
// piece, and the entry's fault by its place when the array breaks there.
TEST(DownloadPieces, FaultsBeyondTheFirstPieceAreToldAsBefore)
{
    QStringList names = titles(9000);
    QByteArray content = followers(names);
    ASSERT_GT(content.size(), DownloadEntries::PieceSize);
    const QByteArray following = instagramFollowing({instagramEntry("seguidor7")});
    QTemporaryDir dir;
    const auto message = [&](const QByteArray &followersContent) {
        const QString path = dir.filePath(QStringLiteral("d%1.zip").arg(followersContent.size()));
        EXPECT_TRUE(writeZip(path, {{"followers_and_following/followers_1.json", followersContent},
                                    {"followers_and_following/following.json", following}}));
        try {
            DataDownload download(path);
        } catch (const DownloadParseError &error) {
            return error.message();
        }
        return QString();
    };

    QByteArray nameless = content;
    nameless.insert(nameless.size() - 2, ",\n{\"title\": \"\", \"string_list_data\": []}");
    EXPECT_TRUE(message(nameless).contains("número 9001")) << message(nameless).toStdString();

    QByteArray broken = content;
    broken.insert(broken.size() - 2, ",\n{oops}");
    const QString told = message(broken);
    EXPECT_TRUE(told.contains("followers_1.json") && told.contains("línea")) << told.toStdString();
}

namespace {

// Files in memory, handed over in pieces of a chosen size.
class PieceEntries : public DownloadEntries
{
public:
    PieceEntries(QMap<QString, QByteArray> files, qsizetype pieceSize)
        : m_files(std::move(files)), m_pieceSize(pieceSize)
    {
    }
    QStringList names() const override { return m_files.keys(); }
    QByteArray read(const QString &name) const override
    {
        ++wholeReads;
        return m_files.value(name);
    }
    void readPieces(const QString &name, const TakePiece &take) const override
    {
        const QByteArray whole = m_files.value(name);
        for (qsizetype at = 0; at < whole.size(); at += m_pieceSize) {
            if (!take(QByteArrayView(whole).sliced(at, std::min(m_pieceSize, whole.size() - at))))
                return;
        }
    }
    QDateTime newestFileTime() const override { return {}; }
    QString path() const override { return QStringLiteral("descarga"); }

    mutable int wholeReads = 0;

private:
    QMap<QString, QByteArray> m_files;
    qsizetype m_pieceSize;
};

QStringList keysOf(const QList<DownloadPerson> &people)
{
    QStringList keys;
    for (const DownloadPerson &person : people)
        keys.append(person.key);
    return keys;
}

} // namespace

// Instagram's followers and its following, the array inside an object, are read in pieces
// wherever they break.
TEST(DownloadPieces, InstagramListsAreReadInPiecesWhereverThePiecesBreak)
{
    const QStringList names{"ana", "bea", "cris"};
    for (const qsizetype size : {qsizetype(1), qsizetype(5), qsizetype(4096)}) {
        const PieceEntries entries({{"followers_and_following/followers_1.json", followers(names)},
                                    {"followers_and_following/following.json",
                                     instagramFollowing({instagramEntry("bea")})}},
                                   size);
        const DownloadLists lists =
            InstagramReader(entries, InstagramReader::Network::Instagram).read();
        EXPECT_EQ(keysOf(lists.followers), names) << "pieces of " << size;
        EXPECT_EQ(keysOf(lists.following), QStringList{"bea"});
        EXPECT_EQ(entries.wholeReads, 0);
    }
}

// Threads keeps both lists inside objects: both are read in pieces; an object with more in it
// is read whole and gives the same people.
TEST(DownloadPieces, ThreadsListsAreReadInPiecesAndOtherShapesWhole)
{
    const QStringList names{"ana", "bea", "cris"};
    QList<QByteArray> entries;
    for (const QString &name : names)
        entries.append(instagramEntry(name, "https://www.threads.net/@" + name));
    const QByteArray followers =
        instagramFollowing(entries, "text_post_app_text_post_app_followers");
    const QByteArray following =
        instagramFollowing({entries.at(1)}, "text_post_app_text_post_app_following");
    QByteArray followingWithMore = following;
    followingWithMore.insert(followingWithMore.size() - 1, ", \"otra\": []");
    for (const auto &[followingFile, wholeReads] :
         {std::pair{following, 0}, std::pair{followingWithMore, 1}}) {
        for (const qsizetype size : {qsizetype(1), qsizetype(7), qsizetype(4096)}) {
            const PieceEntries files(
                {{"your_instagram_activity/threads/followers.json", followers},
                 {"your_instagram_activity/threads/following.json", followingFile}},
                size);
            const DownloadLists lists =
                InstagramReader(files, InstagramReader::Network::Threads).read();
            EXPECT_EQ(keysOf(lists.followers), names) << "pieces of " << size;
            EXPECT_EQ(keysOf(lists.following), QStringList{"bea"});
            EXPECT_EQ(files.wholeReads, wholeReads) << followingFile.toStdString();
        }
    }
}

// X's parts are assignments of a bare array: read in pieces, wherever they break (inside the
// assignment too), each part gives its accounts in order; a part that is not such an
// assignment is refused as a whole read refuses it.
TEST(DownloadPieces, XPartsAreReadInPiecesWhereverThePiecesBreak)
{
    const QByteArray followers = xList("follower", 0, {"11", "22", "33"});
    const QByteArray more = xList("follower", 1, {"44"});
    const QByteArray following = xList("following", 0, {"22"});
    for (const qsizetype size : {qsizetype(1), qsizetype(2), qsizetype(7), qsizetype(4096)}) {
        const PieceEntries entries({{"data/follower.js", followers},
                                    {"data/follower-part1.js", more},
                                    {"data/following.js", following}},
                                   size);
        const DownloadLists lists = XReader(entries).read();
        EXPECT_EQ(keysOf(lists.followers), (QStringList{"44", "11", "22", "33"}))
            << "pieces of " << size;
        EXPECT_EQ(keysOf(lists.following), QStringList{"22"});
        // None of them was read whole.
        EXPECT_EQ(entries.wholeReads, 0);
    }

    for (const QByteArray &refused :
         {QByteArray("window.YTD.following.part0 = []"), QByteArray("var x = []"),
          QByteArray(300, ' ') + "window.YTD.follower.part0 = []"}) {
        const PieceEntries entries(
            {{"data/follower.js", refused}, {"data/following.js", following}}, 3);
        try {
            XReader(entries).read();
            ADD_FAILURE() << "read: " << refused.toStdString();
        } catch (const DownloadParseError &error) {
            EXPECT_TRUE(error.message().contains("window.YTD.follower"))
                << error.message().toStdString();
        }
    }
}
