#include "BannerHost.h"

#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include <vector>

namespace {

// The red component of every row from the bottom row up, in the rightmost column, of a
// captionless banner with a red ramp.
std::vector<int> rampFromBottom(BannerHost &host, int height, int startRed, int endRed)
{
    host.resize(6, height);
    host.banner().setStartColor(rgb(startRed, 0, 0));
    host.banner().setEndColor(rgb(endRed, 0, 0));
    std::vector<int> reds;
    for (int y = height - 1; y >= 0; --y)
        reds.push_back(redAt(host.banner(), 5, y));
    return reds;
}

} // namespace

TEST(BannerBands, WorkedExamples)
{
    BannerHost host;
    // The two lowest bands keep the start colour; the top row stops two steps short.
    EXPECT_EQ(rampFromBottom(host, 10, 0, 100),
              (std::vector<int>{0, 0, 10, 20, 30, 40, 50, 60, 70, 80}));
    // Row 1 gets 0.5, which rounds to the even 0.
    EXPECT_EQ(rampFromBottom(host, 4, 0, 2), (std::vector<int>{0, 0, 0, 1}));
    // From 510 rows on the bands are two rows high: 0, 0, 1, 2, ... 253.
    const std::vector<int> tall = rampFromBottom(host, 510, 0, 255);
    for (int i = 0; i < 510; ++i)
        ASSERT_EQ(tall[i], std::max(0, i / 2 - 1)) << "row " << 509 - i;
    // Up to 509 rows the bands stay one row high: the third row moves on (0.501 rounds to 1)
    // and the top row reaches 254.
    const std::vector<int> single = rampFromBottom(host, 509, 0, 255);
    EXPECT_EQ(std::vector<int>(single.begin(), single.begin() + 3), (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(single[508], 254);
}

TEST(BannerBands, ComponentsRampIndependentlyAndEqualColoursStayFlat)
{
    BannerHost host;
    host.resize(5, 10);
    host.banner().setStartColor(rgb(10, 200, 0));
    host.banner().setEndColor(rgb(10, 0, 100));
    const Surface &s = host.banner().surface();
    EXPECT_EQ(s.pixel(4, 9), rgb(10, 200, 0));
    EXPECT_EQ(s.pixel(4, 7), rgb(10, 180, 10));
    EXPECT_EQ(s.pixel(4, 0), rgb(10, 40, 80));
    for (int x = 0; x < 5; ++x)
        EXPECT_EQ(s.pixel(x, 7), rgb(10, 180, 10)) << "column " << x;

    // Equal colours give one flat colour.
    host.banner().setEndColor(rgb(10, 200, 0));
    for (int y = 0; y < 10; ++y)
        EXPECT_EQ(s.pixel(2, y), rgb(10, 200, 0)) << "row " << y;
}

TEST(BannerBands, ZeroHeightStopsBeforeTheFontIsFittedAndOneRowGoesOn)
{
    BannerHost host;
    csLogo &banner = host.banner();
    host.resize(40, 0);
    banner.setFontSize(10);
    banner.setFontAutoSize(VbTrue); // the 0/0 colour step stops this painting quietly
    EXPECT_EQ(banner.fontSize(), 10.0f);

    banner.setStartColor(rgb(40, 0, 0));
    host.resize(40, 1);
    EXPECT_EQ(redAt(banner, 39, 0), 40) << "one row shows the start colour";
    EXPECT_NE(banner.fontSize(), 10.0f) << "and the font is fitted";
}

TEST(BannerBands, SystemColoursAreTranslatedWhenSplit)
{
    BannerHost host;
    host.resize(6, 20);
    csLogo &banner = host.banner();
    const QPalette saved = QGuiApplication::palette();
    QPalette palette = saved;
    palette.setColor(QPalette::ButtonText, QColor(0x11, 0x22, 0x33));
    QGuiApplication::setPalette(palette);

    banner.setStartColor(0x80000012); // the system colour of button text
    banner.setEndColor(0x800000FE);   // names no system colour: black
    EXPECT_EQ(banner.startColor(), 0x80000012u) << "the property keeps the system colour";
    EXPECT_EQ(banner.surface().pixel(3, 19), rgb(0x11, 0x22, 0x33));
    EXPECT_EQ(banner.surface().pixel(3, 0), rgb(2, 3, 5)) << "ramp toward black";

    // A later change of the system colour shows only after the next split.
    palette.setColor(QPalette::ButtonText, QColor(0x44, 0x55, 0x66));
    QGuiApplication::setPalette(palette);
    banner.Draw();
    EXPECT_EQ(banner.surface().pixel(3, 19), rgb(0x11, 0x22, 0x33));
    banner.setStartColor(0x80000012);
    EXPECT_EQ(banner.surface().pixel(3, 19), rgb(0x44, 0x55, 0x66));
    QGuiApplication::setPalette(saved);
}
