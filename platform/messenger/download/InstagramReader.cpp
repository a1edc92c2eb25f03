#include "platform/messenger/download/InstagramReader.h"

#include "platform/messenger/download/DownloadEntries.h"
#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/DownloadJson.h"
#include "platform/messenger/download/HtmlLinks.h"
#include "platform/messenger/download/JsonArrayStream.h"
#include "platform/messenger/download/Mojibake.h"

#include <QRegularExpression>
#include <QUrl>
#include <algorithm>

namespace {

const QString FollowersKey = QStringLiteral("relationships_followers");
const QString FollowingKey = QStringLiteral("relationships_following");
const QString ThreadsFollowersKey = QStringLiteral("text_post_app_text_post_app_followers");
const QString ThreadsFollowingKey = QStringLiteral("text_post_app_text_post_app_following");

// The part number of followers_N (followers alone counts as 0).
int partNumber(const QString &name)
{
    static const QRegularExpression part(QStringLiteral("followers_(\\d+)\\.[a-z]+$"));
    const QRegularExpressionMatch match = part.match(name);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

bool isNetworkHost(const QString &host)
{
    for (const char *known : {"instagram.com", "threads.net", "threads.com"}) {
        const QString name = QLatin1String(known);
        if (host == name || host.endsWith(QLatin1Char('.') + name))
            return true;
    }
    return false;
}

// The last part of a profile link's path: "https://www.instagram.com/_u/ana.soto/?igsh=x"
// gives "ana.soto"; Threads' "@ana.soto" loses its "@".
QString usernameOfLink(const QString &href)
{
    const QStringList parts = QUrl(href).path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.isEmpty() || parts.last() == QLatin1String("_u"))
        return {};
    QString last = parts.last();
    if (last.startsWith(QLatin1Char('@')))
        last.remove(0, 1);
    return last;
}

} // namespace

InstagramReader::InstagramReader(const DownloadEntries &entries, Network network)
    : m_entries(entries), m_network(network)
{
}

InstagramReader::Files InstagramReader::filesIn(const QString &extension) const
{
    const QString folder = m_network == Network::Instagram
                               ? QStringLiteral("followers_and_following/")
                               : QStringLiteral("threads/");
    const QRegularExpression followers(QStringLiteral("(^|/)%1followers(_\\d+)?\\.%2$")
                                           .arg(QRegularExpression::escape(folder), extension));
    Files files;
    for (const QString &name : m_entries.names()) {
        if (followers.match(name).hasMatch())
            files.followers.append(name);
    }
    std::sort(files.followers.begin(), files.followers.end(),
              [](const QString &a, const QString &b) { return partNumber(a) < partNumber(b); });
    files.following = m_entries.find(folder + QStringLiteral("following.") + extension);
    files.html = extension == QLatin1String("html");
    return files;
}

InstagramReader::Files InstagramReader::files() const
{
    Files json = filesIn(QStringLiteral("json"));
    if (!json.followers.isEmpty() || !json.following.isEmpty() || m_network == Network::Threads)
        return json;
    return filesIn(QStringLiteral("html"));
}

bool InstagramReader::recognises() const
{
    const Files found = files();
    return !found.followers.isEmpty() || !found.following.isEmpty();
}

DownloadLists InstagramReader::read() const
{
    DownloadLists lists;
    lists.network =
        m_network == Network::Instagram ? QStringLiteral("Instagram") : QStringLiteral("Threads");
    const Files found = files();
    const bool threads = m_network == Network::Threads;
    for (const QString &name : found.followers) {
        lists.followers +=
            found.html
                ? readHtmlList(name)
                : readJsonList(name, threads ? ThreadsFollowersKey : FollowersKey, Links::Skip);
        lists.hasFollowers = true;
    }
    if (!found.following.isEmpty()) {
        lists.following =
            found.html ? readHtmlList(found.following)
                       : readJsonList(found.following, threads ? ThreadsFollowingKey : FollowingKey,
                                      Links::Keep);
        lists.hasFollowing = true;
    }
    for (const auto *list : {&lists.followers, &lists.following}) {
        for (const DownloadPerson &person : *list)
            lists.noteTime(person.since);
    }
    readProfile(lists);
    return lists;
}

QList<DownloadPerson> InstagramReader::readJsonList(const QString &name, const QString &key,
                                                    Links links) const
{
    const QString where = QStringLiteral("%1: «%2»").arg(m_entries.path(), name);
    QList<DownloadPerson> people;
    // A long list, bare or as the one member of an object, is read piece by piece and entry by
    // entry: it is held whole neither as text nor as a parsed document.
    JsonArrayStream stream(key.toUtf8(), [&](const QJsonObject &entry, qsizetype i) {
        people.append(personOf(entry, where, i, links));
    });
    m_entries.readPieces(name, [&](QByteArrayView piece) { return stream.append(piece); });
    if (stream.finish())
        return people;
    // Anything else is read whole, and the parser says what is wrong with it.
    people.clear();
    const QByteArray data = m_entries.read(name);
    const QJsonDocument document = DownloadJson::parse(data, where);
    // Followers come as a bare list; following, and Threads' lists, inside an object.
    const QJsonArray entries =
        document.isArray() ? document.array()
                           : DownloadJson::requireArray(document.object().value(key), where, key);
    people.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i)
        people.append(personOf(entries.at(i), where, i, links));
    return people;
}

QString InstagramReader::usernameOf(const QJsonObject &entry)
{
    const QJsonObject first =
        entry.value(QLatin1String("string_list_data")).toArray().at(0).toObject();
    QString username = repairMojibake(first.value(QLatin1String("value")).toString());
    if (username.isEmpty())
        username = repairMojibake(entry.value(QLatin1String("title")).toString());
    if (username.isEmpty())
        username = usernameOfLink(first.value(QLatin1String("href")).toString());
    return username;
}

DownloadPerson InstagramReader::personOf(const QJsonValue &entry, const QString &where,
                                         qsizetype index, Links links) const
{
    const QString username = entry.isObject() ? usernameOf(entry.toObject()) : QString();
    if (username.isEmpty())
        throw DownloadParseError(
            QStringLiteral("%1: la cuenta número %2 de la lista no tiene nombre de usuario")
                .arg(where)
                .arg(index + 1));
    const QJsonObject first =
        entry.toObject().value(QLatin1String("string_list_data")).toArray().at(0).toObject();
    DownloadPerson person;
    person.key = username;
    person.name = username;
    if (links == Links::Keep)
        person.link = linkFor(username, first.value(QLatin1String("href")).toString());
    person.since = DownloadJson::fromSeconds(first.value(QLatin1String("timestamp")));
    return person;
}

QString InstagramReader::linkFor(const QString &username, const QString &href) const
{
    const QUrl url(href);
    if (url.scheme().startsWith(QLatin1String("http")) && isNetworkHost(url.host()))
        return QStringLiteral("https://%1/%2%3")
            .arg(url.host(), m_network == Network::Threads ? QStringLiteral("@") : QString(),
                 QString::fromUtf8(QUrl::toPercentEncoding(username, "._-")));
    return m_network == Network::Threads
               ? QStringLiteral("https://www.threads.net/@%1").arg(username)
               : QStringLiteral("https://www.instagram.com/%1").arg(username);
}

QList<DownloadPerson> InstagramReader::readHtmlList(const QString &name) const
{
    const QString where = QStringLiteral("%1: «%2»").arg(m_entries.path(), name);
    QList<DownloadPerson> people;
    for (const HtmlLinks::Link &link : HtmlLinks::read(m_entries.read(name), where)) {
        const QUrl url(link.href);
        if (!isNetworkHost(url.host()))
            continue;
        QString username = link.text;
        if (username.isEmpty() || username.contains(QLatin1Char(' ')))
            username = usernameOfLink(link.href);
        if (username.isEmpty())
            continue;
        people.append({username, username, linkFor(username, link.href), {}});
    }
    return people;
}

void InstagramReader::readProfile(DownloadLists &lists) const
{
    const QString name =
        m_entries.find(QStringLiteral("personal_information/personal_information.json"));
    if (name.isEmpty())
        return;
    const QString where = QStringLiteral("%1: «%2»").arg(m_entries.path(), name);
    const QJsonValue map =
        DownloadJson::findKey(DownloadJson::parse(m_entries.read(name), where).object(),
                              QStringLiteral("string_map_data"));
    const QJsonObject fields = map.toObject();
    const auto field = [&](const char *key) {
        return repairMojibake(
            fields.value(QLatin1String(key)).toObject().value(QLatin1String("value")).toString());
    };
    lists.ownUsername = field("Username");
    lists.ownName = field("Name");
}
