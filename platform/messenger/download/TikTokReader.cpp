#include "platform/messenger/download/TikTokReader.h"

#include "platform/messenger/download/DownloadEntries.h"
#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/DownloadJson.h"

#include <QTimeZone>

namespace {

QString jsonFile(const DownloadEntries &entries)
{
    QString name = entries.find(QStringLiteral("user_data_tiktok.json"));
    return name.isEmpty() ? entries.find(QStringLiteral("user_data.json")) : name;
}

QDateTime tikTokDate(const QString &text)
{
    QDateTime when = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    when.setTimeZone(QTimeZone::utc());
    return when;
}

DownloadPerson tikTokPerson(const QString &username, const QDateTime &since)
{
    return {username, username, QStringLiteral("https://www.tiktok.com/@%1").arg(username), since};
}

} // namespace

TikTokReader::TikTokReader(const DownloadEntries &entries) : m_entries(entries) {}

bool TikTokReader::recognises() const
{
    return !jsonFile(m_entries).isEmpty() ||
           !m_entries.find(QStringLiteral("Follower.txt")).isEmpty() ||
           !m_entries.find(QStringLiteral("Following.txt")).isEmpty();
}

DownloadLists TikTokReader::read() const
{
    const QString name = jsonFile(m_entries);
    DownloadLists lists = name.isEmpty() ? readText() : readJson(name);
    lists.network = QStringLiteral("TikTok");
    for (const auto *list : {&lists.followers, &lists.following}) {
        for (const DownloadPerson &person : *list)
            lists.noteTime(person.since);
    }
    return lists;
}

DownloadLists TikTokReader::readJson(const QString &name) const
{
    const QString where = QStringLiteral("%1: «%2»").arg(m_entries.path(), name);
    const QJsonObject root = DownloadJson::parse(m_entries.read(name), where).object();
    DownloadLists lists;
    lists.followers = jsonList(root, QStringLiteral("Follower List"), QStringLiteral("FansList"),
                               where, lists.hasFollowers);
    lists.following = jsonList(root, QStringLiteral("Following List"), QStringLiteral("Following"),
                               where, lists.hasFollowing);
    const QJsonObject profile =
        DownloadJson::findKey(root, QStringLiteral("ProfileMap")).toObject();
    lists.ownUsername = profile.value(QLatin1String("userName")).toString();
    lists.ownName = profile.value(QLatin1String("nickName")).toString();
    return lists;
}

QList<DownloadPerson> TikTokReader::jsonList(const QJsonObject &root, const QString &section,
                                             const QString &key, const QString &where,
                                             bool &found) const
{
    const QJsonValue list = DownloadJson::findKey(root, section);
    found = list.isObject() && list.toObject().contains(key);
    if (!found)
        return {};
    const QJsonValue items = list.toObject().value(key);
    // An empty list is written as null by some years' downloads.
    if (items.isNull())
        return {};
    const QJsonArray entries =
        DownloadJson::requireArray(items, where, QStringLiteral("%1 → %2").arg(section, key));
    QList<DownloadPerson> people;
    people.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject entry = entries.at(i).toObject();
        const QString username = entry.value(QLatin1String("UserName")).toString();
        if (username.isEmpty())
            throw DownloadParseError(QStringLiteral("%1: la cuenta número %2 de «%3» no tiene "
                                                    "«UserName»")
                                         .arg(where)
                                         .arg(i + 1)
                                         .arg(key));
        people.append(
            tikTokPerson(username, tikTokDate(entry.value(QLatin1String("Date")).toString())));
    }
    return people;
}

DownloadLists TikTokReader::readText() const
{
    DownloadLists lists;
    const QString followers = m_entries.find(QStringLiteral("Follower.txt"));
    const QString following = m_entries.find(QStringLiteral("Following.txt"));
    lists.hasFollowers = !followers.isEmpty();
    lists.hasFollowing = !following.isEmpty();
    if (lists.hasFollowers)
        lists.followers = textList(followers);
    if (lists.hasFollowing)
        lists.following = textList(following);
    return lists;
}

QList<DownloadPerson> TikTokReader::textList(const QString &name) const
{
    const QByteArray data = m_entries.read(name);
    QString text = QString::fromUtf8(data);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QLatin1Char('\n'));
    QList<DownloadPerson> people;
    QDateTime since;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty())
            continue;
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const QString field = line.left(colon).trimmed();
        const QString value = colon < 0 ? QString() : line.mid(colon + 1).trimmed();
        if (field.compare(QLatin1String("Date"), Qt::CaseInsensitive) == 0) {
            since = tikTokDate(value);
        } else if (field.compare(QLatin1String("Username"), Qt::CaseInsensitive) == 0 &&
                   !value.isEmpty()) {
            people.append(tikTokPerson(value, since));
            since = {};
        } else {
            throw DownloadParseError(
                QStringLiteral("%1: «%2», línea %3: se esperaba «Date:» o «Username:»")
                    .arg(m_entries.path(), name)
                    .arg(i + 1));
        }
    }
    return people;
}
