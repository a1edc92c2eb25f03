#include "core/ResultViewError.h"

ResultViewError ResultViewError::noRow(qsizetype index, qsizetype count)
{
    return ResultViewError(
        QStringLiteral("La fila %1 del resultado no existe (hay %2)").arg(index).arg(count));
}

ResultViewError ResultViewError::noImage(int smallIcon)
{
    return ResultViewError(
        QStringLiteral("La imagen %1 no está en la lista de imágenes").arg(smallIcon));
}
