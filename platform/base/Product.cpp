#include "platform/base/Product.h"

namespace Product {

QString name()
{
    return QStringLiteral("Orvalin");
}

QString title()
{
    return QStringLiteral("Orvalin Beta 1");
}

QString version()
{
    return QStringLiteral(ORVALIN_VERSION);
}

} // namespace Product
