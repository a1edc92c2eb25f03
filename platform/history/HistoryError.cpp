#include "platform/history/HistoryError.h"

QString HistoryError::remedy() const
{
    switch (m_cause) {
    case Cause::Busy:
        return QStringLiteral("cierra el programa que lo tiene abierto y vuelve a intentarlo");
    case Cause::Full:
        return QStringLiteral("libera espacio en el disco y vuelve a intentarlo");
    case Cause::Damaged:
        return QStringLiteral("aparta el archivo a otro sitio para que Orvalin cree uno nuevo");
    case Cause::ReadOnly:
        return QStringLiteral("permite escribir en el archivo y en su carpeta, o aparta el "
                              "archivo a otro sitio");
    case Cause::Foreign:
        return QStringLiteral("aparta ese archivo a otro sitio para que Orvalin cree su propio "
                              "historial");
    case Cause::Other:
        break;
    }
    return QStringLiteral("comprueba el archivo o apártalo a otro sitio");
}
