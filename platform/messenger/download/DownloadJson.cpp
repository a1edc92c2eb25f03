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

namespace {

qsizetype skipSpace(const QByteArray &data, qsizetype i)
{
    while (i < data.size() &&
           (data[i] == ' ' || data[i] == '\n' || data[i] == '\r' || data[i] == '\t'))
        ++i;
    return i;
}

// Past the object that starts at begin, its brackets matched outside strings; -1 when it does
// not close. Whether it is valid JSON is left to the parser.
qsizetype objectEnd(const QByteArray &data, qsizetype begin)
{
    int depth = 0;
    bool inString = false;
    for (qsizetype i = begin; i < data.size(); ++i) {
        const char c = data[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if ((c == '}' || c == ']') && --depth == 0) {
            return i + 1;
        }
    }
    return -1;
}

} // namespace

bool DownloadJson::forEachArrayObject(
    const QByteArray &data, const std::function<void(const QJsonValue &, qsizetype)> &take)
{
    qsizetype i = skipSpace(data, 0);
    if (i >= data.size() || data[i] != '[')
        return false;
    i = skipSpace(data, i + 1);
    for (qsizetype index = 0; i < data.size() && data[i] != ']'; ++index) {
        const qsizetype end = data[i] == '{' ? objectEnd(data, i) : -1;
        if (end < 0)
            return false;
        QJsonParseError error;
        const QJsonDocument element =
            QJsonDocument::fromJson(QByteArray::fromRawData(data.constData() + i, end - i), &error);
        if (error.error != QJsonParseError::NoError || !element.isObject())
            return false;
        take(element.object(), index);
        i = skipSpace(data, end);
        if (i < data.size() && data[i] == ',') {
            i = skipSpace(data, i + 1);
            if (i < data.size() && data[i] == ']')
                return false;
        } else if (i >= data.size() || data[i] != ']') {
            return false;
        }
    }
    return i < data.size() && skipSpace(data, i + 1) == data.size();
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
