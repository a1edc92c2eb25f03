#include "platform/history/SpanishDate.h"

#include <array>

QString SpanishDate::longDate(const QDate &date)
{
    // Written out rather than taken from the locale: the messages are Spanish whatever the
    // machine's language.
    static constexpr std::array<const char *, 12> Months = {
        "enero", "febrero", "marzo",      "abril",   "mayo",      "junio",
        "julio", "agosto",  "septiembre", "octubre", "noviembre", "diciembre"};
    return QStringLiteral("%1 de %2 de %3")
        .arg(date.day())
        .arg(QLatin1String(Months.at(size_t(date.month() - 1))))
        .arg(date.year());
}

QString SpanishDate::shortDateTime(const QDateTime &when)
{
    return when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm"));
}
