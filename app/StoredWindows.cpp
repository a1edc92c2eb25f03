#include "app/StoredWindows.h"

#include <QtGlobal>

// Outside any namespace, as the resource registration requires.
static void initAppResources()
{
    Q_INIT_RESOURCE(app);
}

void StoredWindows::registerResources()
{
    // Registering twice is harmless; doing it here keeps a static library's resources from
    // being dropped by the linker.
    initAppResources();
}

WindowDescription StoredWindows::form1()
{
    registerResources();
    return WindowDescription::load(QStringLiteral(":/forms/Form1.json"));
}

WindowDescription StoredWindows::creditos()
{
    registerResources();
    return WindowDescription::load(QStringLiteral(":/forms/Creditos.json"));
}
