#include "platform/history/HistoryError.h"

#include "platform/base/Product.h"

QString HistoryError::remedy() const
{
    switch (m_cause) {
    case Cause::Busy:
        return QStringLiteral("cierra el programa que lo tiene abierto y vuelve a intentarlo");
    case Cause::Full:
        return QStringLiteral("libera espacio en el disco y vuelve a intentarlo");
    case Cause::Damaged:
        return QStringLiteral("aparta el archivo a otro sitio para que %1 cree uno nuevo")
            .arg(Product::name());
    case Cause::ReadOnly:
        return QStringLiteral("permite escribir en el archivo y en su carpeta, o aparta el "
                              "archivo a otro sitio");
    case Cause::Foreign:
        return QStringLiteral("aparta ese archivo a otro sitio para que %1 cree su propio "
                              "historial")
            .arg(Product::name());
    case Cause::Other:
        break;
    }
    return QStringLiteral("comprueba el archivo o apártalo a otro sitio");
}

QString HistoryError::causeText(Cause cause)
{
    switch (cause) {
    case Cause::Busy:
        return QStringLiteral("otro programa lo tiene bloqueado");
    case Cause::Full:
        return QStringLiteral("no queda sitio en el disco para escribirlo");
    case Cause::Damaged:
        return QStringLiteral("el archivo está dañado o no es una base de datos");
    case Cause::ReadOnly:
        return QStringLiteral("no se permite escribir en el archivo o en su carpeta");
    case Cause::Foreign:
    case Cause::Other:
        break;
    }
    return QStringLiteral("falló la base de datos");
}
