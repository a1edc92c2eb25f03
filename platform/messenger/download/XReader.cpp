#include "platform/messenger/download/XReader.h"

#include "platform/messenger/download/DownloadEntries.h"
#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/DownloadJson.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QRegularExpression>
#include <QUrl>

XReader::XReader(const DownloadEntries &entries) : m_entries(entries) {}

QStringList XReader::partsOf(const QString &kind) const
{
    const QRegularExpression part(QStringLiteral("(^|/)data/%1(-part\\d+)?\\.js$").arg(kind));
    QStringList parts;
    for (const QString &name : m_entries.names()) {
        if (part.match(name).hasMatch())
            parts.append(name);
    }
    return parts;
}

bool XReader::recognises() const
{
    return !partsOf(QStringLiteral("follower")).isEmpty() ||
           !partsOf(QStringLiteral("following")).isEmpty();
}

QJsonDocument XReader::parseScript(QByteArray data, const QString &kind, const QString &where)
{
    const QRegularExpression assignment(
        QStringLiteral("^\\s*window\\.YTD\\.%1\\.part\\d+\\s*=").arg(kind));
    const QRegularExpressionMatch match = assignment.match(QString::fromLatin1(data.left(200)));
    if (!match.hasMatch())
        throw DownloadParseError(
            QStringLiteral("%1 no empieza por «window.YTD.%2.part0 =» (línea 1, columna 1)")
                .arg(where, kind));
    for (qsizetype i = 0; i < match.capturedEnd(); ++i) {
        if (data.at(i) != '\n')
            data[i] = ' ';
    }
    return DownloadJson::parse(data, where);
}

DownloadLists XReader::read() const
{
    DownloadLists lists;
    lists.network = QStringLiteral("X");
    lists.hasFollowers = !partsOf(QStringLiteral("follower")).isEmpty();
    lists.hasFollowing = !partsOf(QStringLiteral("following")).isEmpty();
    lists.followers = readList(QStringLiteral("follower"));
    lists.following = readList(QStringLiteral("following"));
    readProfile(lists);
    return lists;
}

QList<DownloadPerson> XReader::readList(const QString &kind) const
{
    QList<DownloadPerson> people;
    for (const QString &name : partsOf(kind)) {
        const QString where = QStringLiteral("%1: «%2»").arg(m_entries.path(), name);
        const QJsonArray entries = DownloadJson::requireArray(
            parseScript(m_entries.read(name), kind, where).array(), where, kind);
        for (qsizetype i = 0; i < entries.size(); ++i) {
            const QJsonObject item = entries.at(i).toObject().value(kind).toObject();
            const QString id = item.value(QLatin1String("accountId")).toString();
            if (id.isEmpty())
                throw DownloadParseError(
                    QStringLiteral("%1: la cuenta número %2 no tiene «accountId»")
                        .arg(where)
                        .arg(i + 1));
            QString link = item.value(QLatin1String("userLink")).toString();
            const QString host = QUrl(link).host();
            if (!host.endsWith(QLatin1String("twitter.com")) &&
                !host.endsWith(QLatin1String("x.com")))
                link = QStringLiteral("https://x.com/intent/user?user_id=%1").arg(id);
            people.append({id, id, link, {}});
        }
    }
    return people;
}

void XReader::readProfile(DownloadLists &lists) const
{
    const QString name = m_entries.find(QStringLiteral("data/account.js"));
    if (name.isEmpty())
        return;
    const QString where = QStringLiteral("%1: «%2»").arg(m_entries.path(), name);
    const QJsonObject account = parseScript(m_entries.read(name), QStringLiteral("account"), where)
                                    .array()
                                    .at(0)
                                    .toObject()
                                    .value(QLatin1String("account"))
                                    .toObject();
    lists.ownUsername = account.value(QLatin1String("username")).toString();
    lists.ownName = account.value(QLatin1String("accountDisplayName")).toString();
}
