#include "BannerHost.h"

#include "platform/SystemColors.h"

#include <QGuiApplication>
#include <QPalette>
#include <gtest/gtest.h>

#include <vector>

namespace {

// A captionless banner of the given size in pixels with a red ramp from start to end.
void setUpRamp(BannerHost &host, int width, int height, int startRed, int endRed)
{
    host.resize(width, height);
    host.banner().setStartColor(rgb(startRed, 0, 0));
    host.banner().setEndColor(rgb(endRed, 0, 0));
}

// The red component of every row, from the bottom row up to row 0, in the given column.
std::vector<int> redFromBottom(const csLogo &banner, int column)
{
    std::vector<int> reds;
    for (int y = banner.surface().height() - 1; y >= 0; --y)
        reds.push_back(redAt(banner, column, y));
    return reds;
}

} // namespace

TEST(BannerBands, WorkedExampleTenRows)
{
    BannerHost host;
    setUpRamp(host, 6, 10, 0, 100);
    // The two lowest bands keep the start colour; the top row stops two steps short of 100.
    EXPECT_EQ(redFromBottom(host.banner(), 5),
              (std::vector<int>{0, 0, 10, 20, 30, 40, 50, 60, 70, 80}));
}

TEST(BannerBands, WorkedExampleFourRowsRoundsHalvesToEven)
{
    BannerHost host;
    setUpRamp(host, 6, 4, 0, 2);
    // Row 1 gets 0.5, which rounds to 0, not 1.
    EXPECT_EQ(redFromBottom(host.banner(), 5), (std::vector<int>{0, 0, 0, 1}));
}

TEST(BannerBands, FiveHundredTenRowsMakeTwoRowBands)
{
    BannerHost host;
    setUpRamp(host, 6, 510, 0, 255);
    const csLogo &banner = host.banner();
    for (int row = 0; row < 510; ++row) {
        const int band = (509 - row) / 2; // band 0 holds the two bottom rows
        const int expected = band == 0 ? 0 : band - 1;
        ASSERT_EQ(redAt(banner, 5, row), expected) << "row " << row;
    }
    EXPECT_EQ(redAt(banner, 5, 0), 253);
}

TEST(BannerBands, FiveHundredNineRowsKeepOneRowBands)
{
    BannerHost host;
    setUpRamp(host, 6, 509, 0, 255);
    const csLogo &banner = host.banner();
    // With one-row bands the third row from the bottom already moves on (0.501 rounds to 1)
    // and the top row reaches 254; two-row bands would give 0 and 253.
    EXPECT_EQ(redAt(banner, 5, 508), 0);
    EXPECT_EQ(redAt(banner, 5, 507), 0);
    EXPECT_EQ(redAt(banner, 5, 506), 1);
    EXPECT_EQ(redAt(banner, 5, 0), 254);
}

TEST(BannerBands, TallBannerRampsUpwardWithoutGaps)
{
    BannerHost host;
    setUpRamp(host, 4, 1200, 255, 0);
    const std::vector<int> reds = redFromBottom(host.banner(), 3);
    // step 4: bands of four rows, falling from 255 toward 0, never rising.
    EXPECT_EQ(reds.front(), 255);
    for (std::size_t i = 1; i < reds.size(); ++i)
        ASSERT_LE(reds[i], reds[i - 1]) << "row from bottom " << i;
    for (std::size_t i = 0; i + 4 <= reds.size(); i += 4)
        ASSERT_EQ(reds[i], reds[i + 3]) << "band starting " << i;
    EXPECT_LT(reds.back(), 5);
}

TEST(BannerBands, BandsSpanTheFullWidth)
{
    BannerHost host;
    setUpRamp(host, 9, 10, 0, 100);
    for (int row = 0; row < 10; ++row) {
        const ColorRef left = host.banner().surface().pixel(0, row);
        for (int x = 1; x < 9; ++x)
            ASSERT_EQ(host.banner().surface().pixel(x, row), left) << x << "," << row;
    }
}

TEST(BannerBands, GreenAndBlueRampIndependently)
{
    BannerHost host;
    host.resize(5, 10);
    host.banner().setStartColor(rgb(10, 200, 0));
    host.banner().setEndColor(rgb(10, 0, 100));
    const Surface &s = host.banner().surface();
    EXPECT_EQ(s.pixel(4, 9), rgb(10, 200, 0));
    EXPECT_EQ(s.pixel(4, 7), rgb(10, 180, 10));
    EXPECT_EQ(s.pixel(4, 0), rgb(10, 40, 80));
}

TEST(BannerBands, EqualColoursGiveOneFlatColour)
{
    BannerHost host;
    host.resize(7, 300);
    host.banner().setStartColor(rgb(12, 34, 56));
    host.banner().setEndColor(rgb(12, 34, 56));
    const Surface &s = host.banner().surface();
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            ASSERT_EQ(s.pixel(x, y), rgb(12, 34, 56)) << x << "," << y;
}

TEST(BannerBands, OneRowBannerShowsTheStartColour)
{
    BannerHost host;
    setUpRamp(host, 6, 1, 40, 200);
    EXPECT_EQ(redAt(host.banner(), 0, 0), 40);
}

TEST(BannerBands, ZeroHeightStopsBeforeTheFontIsFitted)
{
    BannerHost host;
    csLogo &banner = host.banner();
    host.resize(40, 0);
    banner.setFontSize(10);
    // The 0/0 colour step stops this painting quietly, before the font fitting.
    banner.setFontAutoSize(VbTrue);
    EXPECT_EQ(banner.surface().height(), 0);
    EXPECT_EQ(banner.FontSize(), 10.0f);

    host.resize(40, 1); // one row paints its band and goes on to fit the font
    EXPECT_NE(banner.FontSize(), 10.0f);
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
    banner.setEndColor(0x80000012);
    EXPECT_EQ(banner.StartColor(), 0x80000012u) << "the property keeps the system colour";
    EXPECT_EQ(banner.surface().pixel(3, 19), rgb(0x11, 0x22, 0x33));

    // A later change of the system colour shows only after the next split.
    palette.setColor(QPalette::ButtonText, QColor(0x44, 0x55, 0x66));
    QGuiApplication::setPalette(palette);
    banner.Draw();
    EXPECT_EQ(banner.surface().pixel(3, 19), rgb(0x11, 0x22, 0x33));
    banner.setStartColor(0x80000012);
    EXPECT_EQ(banner.surface().pixel(3, 19), rgb(0x44, 0x55, 0x66));

    QGuiApplication::setPalette(saved);
}

TEST(BannerBands, UntranslatableColourDrawsBlack)
{
    BannerHost host;
    host.resize(6, 20);
    host.banner().setStartColor(0x800000FE); // no system colour has this index
    host.banner().setEndColor(0x800000FE);
    EXPECT_EQ(host.banner().StartColor(), 0x800000FEu);
    EXPECT_EQ(host.banner().surface().pixel(3, 19), 0u);
    EXPECT_EQ(host.banner().surface().pixel(3, 0), 0u);
}

TEST(BannerBands, ResizeRepaintsTheWholeNewSurface)
{
    BannerHost host;
    setUpRamp(host, 6, 10, 0, 100);
    host.resize(8, 20);
    const csLogo &banner = host.banner();
    EXPECT_EQ(banner.surface().width(), 8);
    EXPECT_EQ(banner.surface().height(), 20);
    EXPECT_EQ(redAt(banner, 7, 19), 0);
    EXPECT_EQ(redAt(banner, 7, 0), 90); // (20 - 2) × 100 ÷ 20
}
