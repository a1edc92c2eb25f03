#include "platform/messenger/download/XReader.h"

#include "platform/messenger/download/DownloadEntries.h"
#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/DownloadJson.h"
#include "platform/messenger/download/JsonArrayStream.h"

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
        if (streamPart(name, kind, where, people))
            continue;
        // Anything else is read whole, and the parser says what is wrong with it.
        const QJsonArray entries = DownloadJson::requireArray(
            parseScript(m_entries.read(name), kind, where).array(), where, kind);
        for (qsizetype i = 0; i < entries.size(); ++i)
            people.append(personOf(entries.at(i).toObject(), kind, where, i));
    }
    return people;
}

bool XReader::streamPart(const QString &name, const QString &kind, const QString &where,
                         QList<DownloadPerson> &people) const
{
    const qsizetype before = people.size();
    JsonArrayStream stream([&](const QJsonObject &entry, qsizetype i) {
        people.append(personOf(entry, kind, where, i));
    });
    const QRegularExpression assignment(
        QStringLiteral("^\\s*window\\.YTD\\.%1\\.part\\d+\\s*=$").arg(kind));
    // The assignment is gathered first; the array after it goes to the stream.
    QByteArray head;
    bool assigned = false;
    m_entries.readPieces(name, [&](QByteArrayView piece) {
        if (!assigned) {
            const qsizetype equals = piece.indexOf('=');
            head.append(piece.first(equals < 0 ? piece.size() : equals + 1));
            if (equals < 0)
                return head.size() < 200;
            assigned = true;
            if (!assignment.match(QString::fromLatin1(head)).hasMatch())
                return false;
            piece = piece.sliced(equals + 1);
        }
        return stream.append(piece);
    });
    // A refused assignment leaves the stream where it started, which is no whole array.
    if (stream.finish())
        return true;
    people.resize(before);
    return false;
}

DownloadPerson XReader::personOf(const QJsonObject &entry, const QString &kind,
                                 const QString &where, qsizetype index)
{
    const QJsonObject item = entry.value(kind).toObject();
    const QString id = item.value(QLatin1String("accountId")).toString();
    if (id.isEmpty())
        throw DownloadParseError(QStringLiteral("%1: la cuenta número %2 no tiene «accountId»")
                                     .arg(where)
                                     .arg(index + 1));
    QString link = item.value(QLatin1String("userLink")).toString();
    const QString host = QUrl(link).host();
    if (!host.endsWith(QLatin1String("twitter.com")) && !host.endsWith(QLatin1String("x.com")))
        link = QStringLiteral("https://x.com/intent/user?user_id=%1").arg(id);
    return {id, id, link, {}};
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
