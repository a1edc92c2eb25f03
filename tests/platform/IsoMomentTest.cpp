#include "platform/base/IsoMoment.h"

#include <QTimeZone>
#include <gtest/gtest.h>

TEST(IsoMomentTest, ADateAloneIsMidnightOfThatDayHere)
{
    EXPECT_EQ(IsoMoment::parse("2026-12-08"), QDate(2026, 12, 8).startOfDay());
}

TEST(IsoMomentTest, ADateTimeKeepsItsTimeZoneAndFractionOfASecond)
{
    const QDateTime utc(QDate(2026, 12, 8), QTime(3, 39, 44), QTimeZone::utc());
    EXPECT_EQ(IsoMoment::parse("2026-12-08T03:39:44Z"), utc);
    EXPECT_EQ(IsoMoment::parse("2026-12-08T04:39:44+01:00"), utc);
    EXPECT_EQ(IsoMoment::parse("2026-12-08T00:09:44-0330"), utc);
    EXPECT_EQ(IsoMoment::parse("2026-12-08T03:39:44.250Z"), utc.addMSecs(250));
    EXPECT_EQ(IsoMoment::parse("2026-12-08T03:39Z"), utc.addSecs(-44));
    EXPECT_EQ(IsoMoment::parse("2026-12-08T03:39:44"),
              QDateTime(QDate(2026, 12, 8), QTime(3, 39, 44)));
}

TEST(IsoMomentTest, AnythingButTheWholeTextIsRefused)
{
    for (const char *text :
         {"2026-12-08garbage", "2026-12-08T25:00", "2026-02-30", "2026-12-08T03:60Z",
          "2026-12-08T03:39:44+15:00", "2026-12-08T03:39:44Z ", " 2026-12-08", "ayer", "",
          "2026-12-8", "2026-12-08T", "20261208"})
        EXPECT_FALSE(IsoMoment::parse(QString::fromLatin1(text)).isValid()) << text;
}
