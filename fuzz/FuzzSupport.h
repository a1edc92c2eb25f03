#pragma once

#include <QGuiApplication>
#include <QtGlobal>

// Fuzz targets that need fonts or the palette run with one offscreen application, made once.
inline void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvalin-fuzz";
    static char *argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}
