#include "bench/DownloadFixture.h"

#include "tests/download/ZipWriter.h"

namespace {

QByteArray entryOf(const QString &username)
{
    const QByteArray name = username.toUtf8();
    return "{\"title\": \"\", \"media_list_data\": [], \"string_list_data\": [{\"href\": "
           "\"https://www.instagram.com/" +
           name + "\", \"value\": \"" + name + "\", \"timestamp\": 1676354318}]}";
}

QByteArray arrayOf(const QStringList &usernames)
{
    QByteArray json = "[\n";
    for (qsizetype i = 0; i < usernames.size(); ++i) {
        json += "  " + entryOf(usernames.at(i));
        json += i + 1 < usernames.size() ? ",\n" : "\n";
    }
    return json + "]\n";
}

// The followers: the followed accounts that follow back, spread evenly in a scrambled order,
// the rest accounts that are not followed.
QStringList followersOf(const QStringList &following, int count)
{
    QStringList mutual;
    for (qsizetype i = 0; i < following.size(); ++i) {
        if (i % 5 != 4)
            mutual.append(following.at(i));
    }
    QStringList followers;
    followers.reserve(count);
    const qsizetype stride = std::max<qsizetype>(1, count / std::max<qsizetype>(1, mutual.size()));
    qsizetype next = 0;
    for (int i = 0; i < count; ++i) {
        if (i % stride == 0 && next < mutual.size())
            followers.append(mutual.at((next++ * 7919) % mutual.size()));
        else
            followers.append(QStringLiteral("seguidora_%1").arg(i));
    }
    return followers;
}

} // namespace

BenchDownload writeBenchDownload(const QString &folder, int following, int followers)
{
    BenchDownload download;
    for (int i = 0; i < following; ++i)
        download.following.append(QStringLiteral("cuenta.%1").arg(i));
    download.followers = followersOf(download.following, followers);
    const QString top = QStringLiteral("connections/followers_and_following/");
    const QList<ZipEntry> entries{
        {top + QStringLiteral("following.json"),
         "{\"relationships_following\": " + arrayOf(download.following) + "}\n", 1700000000},
        {top + QStringLiteral("followers_1.json"), arrayOf(download.followers), 1700000000}};
    const QString path =
        QStringLiteral("%1/instagram-%2-%3.zip").arg(folder).arg(following).arg(followers);
    if (writeZip(path, entries))
        download.path = path;
    return download;
}
