#include "platform/messenger/AccountFile.h"

#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString parseFault(QJsonParseError::ParseError error)
{
    switch (error) {
    case QJsonParseError::UnterminatedObject:
        return QStringLiteral("falta cerrar un objeto");
    case QJsonParseError::MissingNameSeparator:
        return QStringLiteral("falta «:» tras un nombre");
    case QJsonParseError::UnterminatedArray:
        return QStringLiteral("falta cerrar una lista");
    case QJsonParseError::MissingValueSeparator:
        return QStringLiteral("falta «,» entre valores");
    case QJsonParseError::IllegalValue:
        return QStringLiteral("valor no válido");
    case QJsonParseError::TerminationByNumber:
        return QStringLiteral("el texto acaba en medio de un número");
    case QJsonParseError::IllegalNumber:
        return QStringLiteral("número no válido");
    case QJsonParseError::IllegalEscapeSequence:
        return QStringLiteral("secuencia de escape no válida");
    case QJsonParseError::IllegalUTF8String:
        return QStringLiteral("texto UTF-8 no válido");
    case QJsonParseError::UnterminatedString:
        return QStringLiteral("falta cerrar un texto");
    case QJsonParseError::MissingObject:
        return QStringLiteral("se esperaba un objeto");
    case QJsonParseError::DeepNesting:
        return QStringLiteral("demasiados niveles anidados");
    case QJsonParseError::DocumentTooLarge:
        return QStringLiteral("documento demasiado grande");
    case QJsonParseError::GarbageAtEnd:
        return QStringLiteral("sobran datos tras el final");
    case QJsonParseError::NoError:
        break;
    }
    return QStringLiteral("error de sintaxis");
}

QString listKey(qint32 listNumber)
{
    return listNumber == MessengerClient::ContactList ? QStringLiteral("contactList")
                                                      : QStringLiteral("reverseList");
}

} // namespace

AccountFile::AccountFile(const QString &path) : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        fail(QStringLiteral("no existe"));
    if (info.isDir())
        fail(QStringLiteral("es una carpeta, no un archivo"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no se puede leer (%1)").arg(file.errorString()));
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("no se puede leer (%1)").arg(file.errorString()));
    load(data);
}

AccountFile::AccountFile(const QString &path, const QByteArray &content) : m_path(path)
{
    load(content);
}

void AccountFile::load(const QByteArray &data)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError) {
        // Qt gives a byte offset; line and column are what an editor shows.
        const qsizetype offset = std::clamp<qsizetype>(error.offset, 0, data.size());
        const qsizetype lineStart = data.lastIndexOf('\n', offset - 1) + 1;
        const qsizetype line = data.left(offset).count('\n') + 1;
        fail(QStringLiteral("JSON no válido en la línea %1, columna %2 (posición %3): %4")
                 .arg(line)
                 .arg(offset - lineStart + 1)
                 .arg(offset)
                 .arg(parseFault(error.error)));
    }
    if (!document.isObject())
        fail(QStringLiteral("el contenido debe ser un objeto JSON"));
    m_root = document.object();
    m_account = parse(m_root);
}

void AccountFile::fail(const QString &fault) const
{
    throw MessengerError(QStringLiteral("Archivo de cuenta %1: %2").arg(m_path, fault));
}

MessengerAccount AccountFile::parse(const QJsonObject &root) const
{
    MessengerAccount account;
    const QJsonValue state = root.value(QLatin1String("signInState"));
    if (state.isUndefined())
        fail(QStringLiteral("falta el campo «signInState»"));
    const double number = state.toDouble(std::nan(""));
    if (!state.isDouble() || std::trunc(number) != number ||
        number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        fail(QStringLiteral("el campo «signInState» debe ser un número entero"));
    account.signInState = qint32(number);
    account.signInName =
        requireText(root, QStringLiteral("signInName"), QStringLiteral("signInName"));
    account.displayName =
        requireText(root, QStringLiteral("displayName"), QStringLiteral("displayName"));
    account.contactList = parseList(root, QStringLiteral("contactList"));
    account.reverseList = parseList(root, QStringLiteral("reverseList"));
    return account;
}

QList<MessengerUser> AccountFile::parseList(const QJsonObject &root, const QString &key) const
{
    const QJsonValue value = root.value(key);
    if (value.isUndefined())
        fail(QStringLiteral("falta el campo «%1»").arg(key));
    if (!value.isArray())
        fail(QStringLiteral("el campo «%1» debe ser una lista").arg(key));

    const QJsonArray entries = value.toArray();
    QList<MessengerUser> users;
    users.reserve(entries.size());
    QHash<QString, qsizetype> seen;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString entryName = QStringLiteral("%1[%2]").arg(key).arg(i);
        if (!entries.at(i).isObject())
            fail(QStringLiteral("«%1» debe ser un objeto").arg(entryName));
        const QJsonObject entry = entries.at(i).toObject();
        const QString address = requireText(entry, QStringLiteral("EmailAddress"),
                                            entryName + QStringLiteral(".EmailAddress"));
        if (address.isEmpty())
            fail(QStringLiteral("«%1.EmailAddress» está vacío").arg(entryName));
        const auto previous = seen.constFind(address);
        if (previous != seen.cend())
            fail(QStringLiteral("la dirección %1 aparece dos veces en «%2» (%2[%3] y %4)")
                     .arg(address, key)
                     .arg(previous.value())
                     .arg(entryName));
        seen.insert(address, i);
        // Without a display name the address stands in, as Messenger shows it.
        QString friendlyName = address;
        if (entry.contains(QLatin1String("FriendlyName")))
            friendlyName = requireText(entry, QStringLiteral("FriendlyName"),
                                       entryName + QStringLiteral(".FriendlyName"));
        users.append(MessengerUser(address, friendlyName));
    }
    return users;
}

QString AccountFile::requireText(const QJsonObject &object, const QString &key,
                                 const QString &fieldName) const
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        fail(QStringLiteral("falta el campo «%1»").arg(fieldName));
    if (!value.isString())
        fail(QStringLiteral("el campo «%1» debe ser texto").arg(fieldName));
    return value.toString();
}

void AccountFile::removeUser(qint32 listNumber, const QString &emailAddress)
{
    const QString key = listKey(listNumber);
    QJsonArray entries = m_root.value(key).toArray();
    qsizetype index = -1;
    for (qsizetype i = 0; i < entries.size() && index < 0; ++i) {
        if (entries.at(i).toObject().value(QLatin1String("EmailAddress")).toString() ==
            emailAddress)
            index = i;
    }
    if (index < 0)
        fail(QStringLiteral("la dirección %1 no está en «%2»").arg(emailAddress, key));
    entries.removeAt(index);
    QJsonObject root = m_root;
    root.insert(key, entries);

    // Written beside the old file and renamed over it: a crash or a full disk leaves either the
    // old account or the new one, never half of it. Unbuffered, because a short write inside
    // the buffered flush is not reported and would commit a cut-off file.
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("no se puede guardar (%1)").arg(file.errorString()));
    const QByteArray data = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (file.write(data) != data.size() || !file.commit())
        fail(QStringLiteral("no se puede guardar (%1)").arg(file.errorString()));
    m_root = root;
}
