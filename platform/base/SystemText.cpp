#include "platform/base/SystemText.h"

#include <QFileDevice>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

struct Reason
{
    int error;
    const char *code;
    const char *text;
};

constexpr Reason Reasons[] = {
    {EACCES, "EACCES", "permiso denegado"},
    {EPERM, "EPERM", "operación no permitida"},
    {ENOENT, "ENOENT", "no existe"},
    {EEXIST, "EEXIST", "ya existe"},
    {ENOSPC, "ENOSPC", "no queda espacio en el disco"},
    {EDQUOT, "EDQUOT", "se acabó la cuota de disco"},
    {EROFS, "EROFS", "el disco es de solo lectura"},
    {EISDIR, "EISDIR", "es una carpeta"},
    {ENOTDIR, "ENOTDIR", "una parte de la ruta no es una carpeta"},
    {ELOOP, "ELOOP", "demasiados enlaces simbólicos, o un enlace donde no se admite"},
    {ENAMETOOLONG, "ENAMETOOLONG", "la ruta es demasiado larga"},
    {EIO, "EIO", "error de entrada y salida del disco"},
    {EPIPE, "EPIPE", "quien leía la salida la cerró"},
    {EBADF, "EBADF", "la salida está cerrada"},
    {ENXIO, "ENXIO", "no hay dispositivo ni lector al otro lado"},
    {EMFILE, "EMFILE", "demasiados archivos abiertos"},
    {EFBIG, "EFBIG", "el archivo es demasiado grande"},
    {EBUSY, "EBUSY", "está en uso"},
    {ETXTBSY, "ETXTBSY", "está en uso"},
    {EAGAIN, "EAGAIN", "no está disponible ahora; vuelva a intentarlo"},
};

} // namespace

QString SystemText::errorText(int error)
{
    for (const Reason &reason : Reasons) {
        if (reason.error == error)
            return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(reason.text),
                                                 QLatin1String(reason.code));
    }
    return QStringLiteral("error del sistema %1").arg(error);
}

QString SystemText::fromSystemText(const QString &text)
{
    for (const Reason &reason : Reasons) {
        if (text == QString::fromLocal8Bit(std::strerror(reason.error)))
            return errorText(reason.error);
    }
    return text;
}

namespace {

// What Qt says in its own words when no system error is behind a failure.
QString fileErrorKind(QFileDevice::FileError error)
{
    switch (error) {
    case QFileDevice::ReadError:
        return QStringLiteral("no se pudo leer");
    case QFileDevice::WriteError:
        return QStringLiteral("no se pudo escribir");
    case QFileDevice::OpenError:
        return QStringLiteral("no se pudo abrir");
    case QFileDevice::AbortError:
        return QStringLiteral("se canceló la escritura");
    case QFileDevice::ResizeError:
        return QStringLiteral("no se pudo cambiar su tamaño");
    case QFileDevice::PermissionsError:
        return QStringLiteral("no se pudieron cambiar sus permisos");
    case QFileDevice::RenameError:
        return QStringLiteral("no se pudo poner en su sitio");
    case QFileDevice::RemoveError:
        return QStringLiteral("no se pudo borrar");
    case QFileDevice::PositionError:
        return QStringLiteral("no se pudo mover la posición de lectura");
    case QFileDevice::TimeOutError:
        return QStringLiteral("no respondió a tiempo");
    case QFileDevice::CopyError:
        return QStringLiteral("no se pudo copiar");
    case QFileDevice::FatalError:
    case QFileDevice::ResourceError:
    case QFileDevice::UnspecifiedError:
    case QFileDevice::NoError:
        break;
    }
    return QStringLiteral("error de archivo");
}

struct BusReason
{
    const char *name;
    const char *text;
};

constexpr BusReason BusReasons[] = {
    {"ServiceUnknown", "nadie ofrece ese servicio en el bus de sesión"},
    {"NameHasNoOwner", "nadie ofrece ese servicio en el bus de sesión"},
    {"NoReply", "el servicio no respondió a tiempo"},
    {"Timeout", "el servicio no respondió a tiempo"},
    {"TimedOut", "el servicio no respondió a tiempo"},
    {"AccessDenied", "el bus no dio permiso"},
    {"AuthFailed", "el bus no dio permiso"},
    {"NoServer", "no se pudo conectar con el bus de sesión"},
    {"NoNetwork", "no se pudo conectar con el bus de sesión"},
    {"Disconnected", "se perdió la conexión con el bus de sesión"},
    {"UnknownMethod", "el servicio no entiende la petición"},
    {"UnknownObject", "el servicio no entiende la petición"},
    {"UnknownInterface", "el servicio no entiende la petición"},
    {"InvalidArgs", "el servicio no aceptó los datos de la petición"},
    {"NoMemory", "no queda memoria"},
    {"LimitsExceeded", "se superó un límite del bus"},
};

} // namespace

QString SystemText::fileErrorText(const QFileDevice &file)
{
    const QString said = file.errorString();
    QString ours = fromSystemText(said);
    if (ours != said)
        return ours;
    return fileErrorKind(file.error());
}

QString SystemText::dbusErrorText(const QString &name)
{
    const QString prefix = QStringLiteral("org.freedesktop.DBus.Error.");
    if (name.startsWith(prefix)) {
        const QString last = name.mid(prefix.size());
        for (const BusReason &reason : BusReasons) {
            if (last == QLatin1String(reason.name))
                return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(reason.text), name);
        }
    }
    return QStringLiteral("el servicio respondió con un error (%1)").arg(name);
}

QString SystemText::fileTypeName(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("una tubería con nombre (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("un dispositivo");
    if (S_ISSOCK(mode))
        return QStringLiteral("un socket");
    if (S_ISDIR(mode))
        return QStringLiteral("una carpeta");
    return QStringLiteral("algo que no es un archivo");
}
