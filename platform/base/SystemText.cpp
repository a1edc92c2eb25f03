#include "platform/base/SystemText.h"

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
