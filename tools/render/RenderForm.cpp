#include "tools/render/RenderForm.h"

#include "tools/render/RenderOptions.h"

int renderForm(const QStringList &args)
{
    Q_UNUSED(args);
    return RenderOptions::reportError(QStringLiteral("«form» todavía no está disponible"));
}
