#pragma once

#include <QApplication>
#include <QByteArray>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <cstddef>
#include <cstdint>

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

// Targets that build controls need widgets, drawn as the tests draw them.
inline void ensureWidgetApplication()
{
    if (QApplication::instance())
        return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "orvalin-fuzz";
    static char *argv[] = {name, nullptr};
    static QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
}

// The input as command-line arguments: UTF-8 text split on NUL bytes, so that the corpus
// files read as argument lists and empty arguments can be expressed.
inline QStringList argumentsFrom(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QStringList arguments;
    if (bytes.isEmpty())
        return arguments;
    for (const QByteArray &part : bytes.split('\0'))
        arguments.append(QString::fromUtf8(part));
    return arguments;
}
