#include "platform/messenger/AccountFile.h"

#include "platform/base/SystemText.h"
#include "platform/messenger/JsonReader.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QLockFile>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Long enough for another Orvalin process to finish one write; a lock left by a process that
// has died is taken over at once (QLockFile checks its process id).
constexpr int LockWaitMs = 10000;
constexpr int StaleLockMs = 30000;
constexpr int LockPollMs = 50;

QString listKey(qint32 listNumber)
{
    return listNumber == MessengerClient::ContactList ? QStringLiteral("contactList")
                                                      : QStringLiteral("reverseList");
}

QString systemError(int error)
{
    return SystemText::errorText(error);
}

// The bytes to cut for the removed elements of one array: each run of removed elements goes
// with the separator after it, or, when the run ends the array, with the one before it.
void collectCuts(const JsonNode &array, const QList<bool> &removed,
                 QList<std::pair<qsizetype, qsizetype>> &cuts)
{
    const qsizetype count = array.items.size();
    qsizetype i = 0;
    while (i < count) {
        if (!removed.at(i)) {
            ++i;
            continue;
        }
        const qsizetype first = i;
        while (i < count && removed.at(i))
            ++i;
        const qsizetype last = i - 1;
        if (i < count)
            cuts.append({array.items.at(first).begin, array.items.at(i).begin});
        else if (first > 0)
            cuts.append({array.items.at(first - 1).end, array.items.at(last).end});
        else
            cuts.append({array.items.at(first).begin, array.items.at(last).end});
    }
}

} // namespace

AccountFile::AccountFile(const QString &path) : m_path(path)
{
    m_account = parse(readFile()).account;
}

AccountFile::AccountFile(const QString &path, const QByteArray &content)
    : m_path(path), m_content(content), m_fromMemory(true)
{
    m_account = parse(content).account;
}

void AccountFile::fail(const QString &fault) const
{
    throw MessengerError(QStringLiteral("Archivo de cuenta %1: %2").arg(m_path, fault));
}

QByteArray AccountFile::readFile() const
{
    // Opened without waiting and checked on the opened file itself: a FIFO or a device put at
    // the path would otherwise hang the reader, or feed it without end.
    const int fd = ::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT)
            fail(QStringLiteral("no existe"));
        fail(QStringLiteral("no se puede leer (%1)").arg(SystemText::errorText(error)));
    }
    QFile file;
    file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    struct stat status = {};
    if (::fstat(fd, &status) != 0)
        fail(QStringLiteral("no se puede leer (%1)").arg(SystemText::errorText(errno)));
    if (S_ISDIR(status.st_mode))
        fail(QStringLiteral("es una carpeta, no un archivo"));
    if (!S_ISREG(status.st_mode))
        fail(QStringLiteral("no es un archivo normal sino %1; elija el archivo de la cuenta")
                 .arg(SystemText::fileTypeName(status.st_mode)));
    if (status.st_size > MaximumSize)
        fail(QStringLiteral("mide %1 MiB, más de los %2 MiB que puede tener un archivo de cuenta")
                 .arg(status.st_size / (1024 * 1024))
                 .arg(MaximumSize / (1024 * 1024)));
    QByteArray data = file.read(MaximumSize + 1);
    if (file.error() != QFileDevice::NoError)
        fail(QStringLiteral("no se puede leer (%1)").arg(SystemText::fileErrorText(file)));
    if (data.size() > MaximumSize)
        fail(QStringLiteral("crece mientras se lee, más allá de los %1 MiB que puede tener un "
                            "archivo de cuenta")
                 .arg(MaximumSize / (1024 * 1024)));
    return data;
}

AccountFile::Parsed AccountFile::parse(const QByteArray &data) const
{
    Parsed parsed;
    if (data.startsWith("PK\x03\x04"))
        fail(QStringLiteral("es un archivo ZIP, no un texto JSON; si es la descarga de datos de "
                            "una red, ábrala como tal (Dirección o --account con su ruta)"));
    try {
        parsed.root = JsonReader::read(data);
    } catch (const JsonReader::Fault &fault) {
        // Line and column are what an editor shows; the column counts bytes.
        const qsizetype offset = std::clamp<qsizetype>(fault.offset, 0, data.size());
        const qsizetype lineStart = offset > 0 ? data.lastIndexOf('\n', offset - 1) + 1 : 0;
        const qsizetype line = data.left(offset).count('\n') + 1;
        const qsizetype column = offset - lineStart + 1;
        if (fault.kind == JsonReader::Fault::Kind::DuplicateKey)
            fail(QStringLiteral("la clave «%1» aparece dos veces (línea %2, columna %3)")
                     .arg(fault.text)
                     .arg(line)
                     .arg(column));
        fail(QStringLiteral("JSON no válido en la línea %1, columna %2 (posición %3): %4")
                 .arg(line)
                 .arg(column)
                 .arg(offset)
                 .arg(fault.text));
    }
    if (parsed.root.type != JsonNode::Type::Object)
        fail(QStringLiteral("el contenido debe ser un objeto JSON"));
    parsed.account = accountOf(parsed.root);
    return parsed;
}

MessengerAccount AccountFile::accountOf(const JsonNode &root) const
{
    MessengerAccount account;
    const JsonNode *state = root.member(u"signInState");
    if (!state)
        fail(QStringLiteral("falta el campo «signInState»"));
    bool ok = false;
    const double number =
        state->type == JsonNode::Type::Number ? state->text.toDouble(&ok) : std::nan("");
    if (!ok || std::trunc(number) != number || number < std::numeric_limits<qint32>::min() ||
        number > std::numeric_limits<qint32>::max())
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

QList<MessengerUser> AccountFile::parseList(const JsonNode &root, const QString &key) const
{
    const JsonNode *value = root.member(key);
    if (!value)
        fail(QStringLiteral("falta el campo «%1»").arg(key));
    if (value->type != JsonNode::Type::Array)
        fail(QStringLiteral("el campo «%1» debe ser una lista").arg(key));

    const QList<JsonNode> &entries = value->items;
    QList<MessengerUser> users;
    users.reserve(entries.size());
    QHash<QString, qsizetype> seen;
    seen.reserve(entries.size());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QString entryName = QStringLiteral("%1[%2]").arg(key).arg(i);
        const JsonNode &entry = entries.at(i);
        if (entry.type != JsonNode::Type::Object)
            fail(QStringLiteral("«%1» debe ser un objeto").arg(entryName));
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
        if (entry.member(u"FriendlyName"))
            friendlyName = requireText(entry, QStringLiteral("FriendlyName"),
                                       entryName + QStringLiteral(".FriendlyName"));
        users.append(MessengerUser(address, friendlyName));
    }
    return users;
}

QString AccountFile::requireText(const JsonNode &object, const QString &key,
                                 const QString &fieldName) const
{
    const JsonNode *value = object.member(key);
    if (!value)
        fail(QStringLiteral("falta el campo «%1»").arg(fieldName));
    if (value->type != JsonNode::Type::String)
        fail(QStringLiteral("el campo «%1» debe ser texto").arg(fieldName));
    return value->text;
}

void AccountFile::removeUser(qint32 listNumber, const QString &emailAddress)
{
    const QHash<QString, QString> refused = removeUsers(listNumber, {emailAddress});
    if (!refused.isEmpty())
        throw MessengerError(refused.value(emailAddress));
}

QHash<QString, QString> AccountFile::removeUsers(qint32 listNumber, const QStringList &addresses)
{
    const QString key = listKey(listNumber);
    // Through a symbolic link the file itself is locked and replaced, not the link.
    const QFileInfo info(m_path);
    const QString target = info.exists() ? info.canonicalFilePath() : info.absoluteFilePath();
    const QString lockPath = target + QStringLiteral(".lock");
    QLockFile lock(lockPath);
    takeLock(lock, lockPath);

    // Whatever another program wrote before the lock was taken is what this removal changes.
    const QByteArray current = m_fromMemory && !QFileInfo::exists(target) ? m_content : readFile();
    const Parsed parsed = parse(current);
    const QList<MessengerUser> &users = listNumber == MessengerClient::ContactList
                                            ? parsed.account.contactList
                                            : parsed.account.reverseList;
    QHash<QString, QString> refused;
    const QList<bool> removed = markRemoved(users, addresses, key, refused);
    if (!removed.contains(true))
        return refused;

    QList<std::pair<qsizetype, qsizetype>> cuts;
    collectCuts(*parsed.root.member(key), removed, cuts);
    QByteArray data;
    data.reserve(current.size());
    qsizetype from = 0;
    for (const auto &[begin, end] : cuts) {
        data.append(current.constData() + from, begin - from);
        from = end;
    }
    data.append(current.constData() + from, current.size() - from);
    replaceFile(target, data);
    return refused;
}

void AccountFile::takeLock(QLockFile &lock, const QString &lockPath) const
{
    lock.setStaleLockTime(StaleLockMs);
    QElapsedTimer waited;
    waited.start();
    while (!lock.tryLock(LockPollMs)) {
        if (lock.error() == QLockFile::PermissionError)
            fail(QStringLiteral("no se puede guardar: no se puede crear el bloqueo %1 "
                                "(permiso denegado)")
                     .arg(lockPath));
        if (lock.error() != QLockFile::LockFailedError)
            fail(QStringLiteral("no se puede guardar: no se puede crear el bloqueo %1 (%2)")
                     .arg(lockPath, systemError(errno)));
        // A process killed between creating the lock and writing its id leaves an empty lock
        // that QLockFile would only take as stale after StaleLockMs. Removing it is safe:
        // removeStaleLockFile() refuses while a live process holds the file's own lock.
        qint64 pid = 0;
        QString host;
        QString application;
        if (!lock.getLockInfo(&pid, &host, &application) &&
            QFileInfo(lockPath).lastModified().msecsTo(QDateTime::currentDateTime()) > 1000)
            lock.removeStaleLockFile();
        if (waited.elapsed() >= LockWaitMs)
            fail(QStringLiteral("no se puede guardar: otro programa lo tiene bloqueado (%1)")
                     .arg(lockPath));
    }
}

QList<bool> AccountFile::markRemoved(const QList<MessengerUser> &users,
                                     const QStringList &addresses, const QString &key,
                                     QHash<QString, QString> &refused) const
{
    QHash<QString, qsizetype> index;
    index.reserve(users.size());
    for (qsizetype i = 0; i < users.size(); ++i)
        index.insert(users.at(i).member(u"EmailAddress"), i);
    QList<bool> removed(users.size(), false);
    for (const QString &address : addresses) {
        const auto found = index.constFind(address);
        if (found == index.cend()) {
            refused.insert(address, QStringLiteral("Archivo de cuenta %1: la dirección %2 ya no "
                                                   "está en «%3» (otro programa la quitó)")
                                        .arg(m_path, address, key));
            continue;
        }
        removed[found.value()] = true;
    }
    return removed;
}

void AccountFile::replaceFile(const QString &target, const QByteArray &data) const
{
    // Written beside the old file and renamed over it: a crash or a full disk leaves either the
    // old account or the new one, never half of it.
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        fail(QStringLiteral("no se puede guardar (%1)").arg(SystemText::fileErrorText(file)));
    keepOwnerAndMode(file, target);
    writeAndSync(file, data);
    if (!file.commit())
        fail(QStringLiteral("no se puede guardar (%1)").arg(SystemText::fileErrorText(file)));
    // The rename itself lasts once the folder is synced too.
    const int folder = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
}

void AccountFile::keepOwnerAndMode(QSaveFile &file, const QString &target) const
{
    // The new file takes the old one's owner, group and mode; if it cannot, the old file stays.
    const int fd = file.handle();
    struct stat old
    {
    };
    if (::stat(QFile::encodeName(target).constData(), &old) != 0)
        return;
    struct stat fresh
    {
    };
    if (::fstat(fd, &fresh) != 0)
        fail(QStringLiteral("no se puede guardar (%1)").arg(systemError(errno)));
    const uid_t owner = old.st_uid == fresh.st_uid ? uid_t(-1) : old.st_uid;
    const gid_t group = old.st_gid == fresh.st_gid ? gid_t(-1) : old.st_gid;
    if ((owner != uid_t(-1) || group != gid_t(-1)) && ::fchown(fd, owner, group) != 0) {
        const int error = errno;
        file.cancelWriting();
        fail(QStringLiteral("no se puede guardar sin cambiar el dueño o el grupo del "
                            "archivo (%1); se deja como estaba")
                 .arg(systemError(error)));
    }
    if (::fchmod(fd, old.st_mode & 07777) != 0) {
        const int error = errno;
        file.cancelWriting();
        fail(QStringLiteral("no se puede guardar sin cambiar los permisos del archivo (%1); "
                            "se deja como estaba")
                 .arg(systemError(error)));
    }
}

void AccountFile::writeAndSync(QSaveFile &file, const QByteArray &data) const
{
    // Written and synced by hand, so that a short write or a failed sync names its real cause.
    const int fd = file.handle();
    qsizetype written = 0;
    while (written < data.size()) {
        const ssize_t n = ::write(fd, data.constData() + written, size_t(data.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : ENOSPC;
            file.cancelWriting();
            fail(QStringLiteral("no se puede guardar (%1)").arg(systemError(error)));
        }
        written += n;
    }
    if (::fsync(fd) != 0) {
        const int error = errno;
        file.cancelWriting();
        fail(QStringLiteral("no se puede guardar (%1)").arg(systemError(error)));
    }
}
