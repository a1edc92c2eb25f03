#include "platform/messenger/download/DownloadJson.h"

#include "platform/messenger/download/DownloadError.h"

#include <QJsonParseError>
#include <QList>
#include <QTimeZone>

QJsonDocument DownloadJson::parse(const QByteArray &data, const QString &where)
{
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        throw DownloadParseError(
            QStringLiteral("%1 no es un JSON válido (%2, %3)")
                .arg(where, error.errorString(), place(data, qsizetype(error.offset))));
    return document;
}

QString DownloadJson::place(const QByteArray &data, qsizetype offset)
{
    offset = std::clamp<qsizetype>(offset, 0, data.size());
    const QByteArrayView before(data.constData(), offset);
    const qsizetype line = before.count('\n') + 1;
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    return QStringLiteral("línea %1, columna %2").arg(line).arg(offset - lineStart + 1);
}

QJsonValue DownloadJson::findKey(const QJsonValue &root, const QString &key)
{
    QList<QJsonValue> level{root};
    while (!level.isEmpty()) {
        QList<QJsonValue> next;
        for (const QJsonValue &value : level) {
            if (value.isObject()) {
                const QJsonObject object = value.toObject();
                if (const auto found = object.constFind(key); found != object.constEnd())
                    return *found;
                for (const auto &member : object)
                    next.append(member);
            } else if (value.isArray()) {
                for (const auto &element : value.toArray())
                    next.append(element);
            }
        }
        level = std::move(next);
    }
    return QJsonValue(QJsonValue::Undefined);
}

QJsonArray DownloadJson::requireArray(const QJsonValue &value, const QString &where,
                                      const QString &what)
{
    if (!value.isArray())
        throw DownloadParseError(
            QStringLiteral("%1: «%2» debería ser una lista y no lo es").arg(where, what));
    return value.toArray();
}

QDateTime DownloadJson::fromSeconds(const QJsonValue &value)
{
    const qint64 seconds = value.toInteger(0);
    if (seconds <= 0)
        return {};
    return QDateTime::fromSecsSinceEpoch(seconds, QTimeZone::utc());
}
