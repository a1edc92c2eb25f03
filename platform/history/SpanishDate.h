#pragma once

#include <QDateTime>
#include <QString>

// Dates and times as the messages show them, in the local time zone.
class SpanishDate
{
public:
    // "3 de diciembre de 2026"
    static QString longDate(const QDate &date);
    static QString longDate(const QDateTime &when) { return longDate(when.toLocalTime().date()); }
    // "2026-12-03 18:05", for columns
    static QString shortDateTime(const QDateTime &when);
};
