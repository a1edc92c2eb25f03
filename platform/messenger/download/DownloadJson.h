#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>

// JSON inside a download, read with Qt's reader; faults name the entry, its line and column.
class DownloadJson
{
public:
    // Throws DownloadParseError.
    static QJsonDocument parse(const QByteArray &data, const QString &where);
    // "línea L, columna C" of a byte offset.
    static QString place(const QByteArray &data, qsizetype offset);
    // The first value under key at any depth, searched breadth first; Undefined when none.
    static QJsonValue findKey(const QJsonValue &root, const QString &key);
    // Throws DownloadParseError naming where, when the value is not an array.
    static QJsonArray requireArray(const QJsonValue &value, const QString &where,
                                   const QString &what);
    // Seconds since 1970, or invalid for 0 and anything not a number.
    static QDateTime fromSeconds(const QJsonValue &value);
};
