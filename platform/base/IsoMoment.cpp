#include "platform/base/IsoMoment.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace {

const QRegularExpression &isoPattern()
{
    static const QRegularExpression pattern(QStringLiteral(
        R"(^(\d{4})-(\d{2})-(\d{2})(?:T(\d{2}):(\d{2})(?::(\d{2})(?:[.,](\d{1,9}))?)?)"
        R"((Z|[+-]\d{2}(?::?\d{2})?)?)?$)"));
    return pattern;
}

// The offset of "Z", "+HH", "+HH:MM" or "+HHMM" in seconds; false when out of range.
bool zoneOffset(const QString &zone, int &seconds)
{
    if (zone == QLatin1String("Z")) {
        seconds = 0;
        return true;
    }
    const QString digits = zone.mid(1).remove(QLatin1Char(':'));
    const int hours = digits.left(2).toInt();
    const int minutes = digits.size() > 2 ? digits.mid(2).toInt() : 0;
    if (hours > 14 || minutes > 59)
        return false;
    seconds = (hours * 3600 + minutes * 60) * (zone.startsWith(QLatin1Char('-')) ? -1 : 1);
    return true;
}

} // namespace

QDateTime IsoMoment::parse(const QString &text)
{
    const QRegularExpressionMatch match = isoPattern().match(text);
    if (!match.hasMatch())
        return {};
    const QDate date(match.captured(1).toInt(), match.captured(2).toInt(),
                     match.captured(3).toInt());
    if (!date.isValid())
        return {};
    if (match.captured(4).isEmpty())
        return date.startOfDay();
    const int milliseconds = match.captured(7).leftJustified(3, QLatin1Char('0')).left(3).toInt();
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt(), milliseconds);
    if (!time.isValid())
        return {};
    const QString zone = match.captured(8);
    if (zone.isEmpty())
        return QDateTime(date, time);
    int offset = 0;
    if (!zoneOffset(zone, offset))
        return {};
    // The same instant in UTC: moments are compared, never shown in the zone given.
    return QDateTime(date, time, QTimeZone::utc()).addSecs(-offset);
}
