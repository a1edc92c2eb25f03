#pragma once

#include <QDateTime>
#include <QString>

// Reads a moment a user writes on the command line, whole: an ISO 8601 date (midnight of that
// day here) or date-time, with seconds, fractions and a zone ("Z", "+01:00", "+0100") optional
// (no zone means local time). Anything else — trailing text, hour 25, 30 February — gives an
// invalid QDateTime rather than part of what was written.
class IsoMoment
{
public:
    static QDateTime parse(const QString &text);
};
