#include "platform/messenger/download/DownloadJson.h"

#include "platform/messenger/download/DownloadError.h"

#include <QJsonParseError>
#include <QList>
#include <QTimeZone>

namespace {

// What QJsonParseError says in English, in our words.
QString jsonReason(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("falta cerrar un objeto");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("falta «:» tras un nombre");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("falta cerrar una lista");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("falta una coma entre valores");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("hay un valor no válido");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("se acaba en medio de un número");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("hay un número no válido");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("hay un escape no válido en un texto");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("hay un texto que no es UTF-8 válido");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("falta cerrar un texto");
    case QJsonParseError::MissingObject:
        return QStringLiteral("falta el objeto o la lista principal");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("anida demasiados niveles");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("es demasiado grande");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("sobra texto al final");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("no se puede leer");
}

} // namespace

QJsonDocument DownloadJson::parse(const QByteArray &data, const QString &where)
{
    QJsonParseError error;
    QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError)
        throw DownloadParseError(
            QStringLiteral("%1 no es un JSON válido (%2, %3)")
                .arg(where, jsonReason(error.error), place(data, qsizetype(error.offset))));
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
