#include "BannerHost.h"

#include "controls/banner/LogFont.h"
#include "platform/Error.h"
#include "platform/SystemColors.h"

#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace {

constexpr ColorRef white = 0x00FFFFFF;

// A fresh banner of the size a designer places (645 × 4545 twips at 15 twips per pixel).
void placeFresh(BannerHost &host)
{
    host.banner().InitProperties();
    host.resize(43, 303);
}

struct Extent
{
    int count = 0;
    int minX = 1 << 30, maxX = -1, minY = 1 << 30, maxY = -1;
};

Extent pixelsOf(const Surface &surface, ColorRef color)
{
    Extent e;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) == color) {
                ++e.count;
                e.minX = std::min(e.minX, x);
                e.maxX = std::max(e.maxX, x);
                e.minY = std::min(e.minY, y);
                e.maxY = std::max(e.maxY, y);
            }
    return e;
}

// The banner's picture with the caption in the given font size, no fitting.
QImage pictureAtSize(float points, const QString &caption = QStringLiteral("Xg"))
{
    BannerHost host;
    csLogo &banner = host.banner();
    host.resize(40, 200);
    banner.setStartColor(0);
    banner.setEndColor(0);
    banner.setForeColor(white);
    banner.setCaption(caption);
    banner.setFontName(QStringLiteral("Arial"));
    banner.setFontSize(points);
    return banner.surface().image().copy();
}

} // namespace

TEST(BannerCaption, IsWrittenUpwardInTheLeftColumnsAboveTheBottom)
{
    BannerHost host;
    placeFresh(host);
    const Surface &s = host.banner().surface();
    const Extent text = pixelsOf(s, white);
    ASSERT_GT(text.count, 20) << "a fresh banner writes \"csLogo\" in white";
    // The reference point (0, H - 16) is the top-left of the turned cell: the letters lie to
    // its right and above it, never below.
    EXPECT_LE(text.maxY, 303 - 16);
    EXPECT_GE(text.minX, 0);
    EXPECT_LT(text.maxX, s.width());
    // Written upward: the run of letters is much taller than it is wide.
    EXPECT_GT(text.maxY - text.minY, 2 * (text.maxX - text.minX));
    // The letters stand on the bottom rows' navy, not near the top.
    EXPECT_GT(text.minY, 303 / 2);
}

TEST(BannerCaption, EmptyCaptionLeavesOnlyTheBands)
{
    BannerHost host;
    placeFresh(host);
    host.banner().setCaption(QString());
    const Surface &s = host.banner().surface();
    EXPECT_EQ(pixelsOf(s, white).count, 0);
    EXPECT_EQ(s.pixel(42, 302), 0x00800000u) << "navy at the bottom";
    EXPECT_NE(s.pixel(42, 0), 0x00800000u) << "light blue towards the top";
}

TEST(BannerCaption, LongCaptionRunsPastTheTopEdge)
{
    BannerHost host;
    placeFresh(host);
    host.banner().setCaption(QString(200, QLatin1Char('W')));
    const Extent text = pixelsOf(host.banner().surface(), white);
    EXPECT_EQ(text.minY, 0) << "the caption is cut off at the top edge, not shortened";
}

TEST(BannerCaption, ForeColorNamingASystemColourDrawsItsValue)
{
    BannerHost host;
    placeFresh(host);
    host.banner().setForeColor(0x80000012);
    const ColorRef buttonText = SystemColors::sysColor(SystemColors::BtnText);
    ASSERT_NE(buttonText, 0x12u);
    EXPECT_GT(pixelsOf(host.banner().surface(), buttonText).count, 20);
    EXPECT_EQ(host.banner().ForeColor(), 0x80000012u) << "the property keeps the system colour";
}

TEST(BannerCaption, SizeIsRoundedToWholePointsHalvesToEven)
{
    // 9.75 draws as 10; 10.5 draws as 10 (not 11); 11.5 draws as 12.
    EXPECT_EQ(pictureAtSize(9.75f), pictureAtSize(10.0f));
    EXPECT_EQ(pictureAtSize(10.5f), pictureAtSize(10.0f));
    EXPECT_NE(pictureAtSize(10.5f), pictureAtSize(11.0f));
    EXPECT_EQ(pictureAtSize(11.5f), pictureAtSize(12.0f));
}

TEST(BannerCaption, FontAutoSizeFitsThreePointsBelowTheFirstTooTallSize)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    ASSERT_EQ(banner.FontAutoSize(), VbTrue);
    const float fitted = banner.FontSize();
    ASSERT_NE(fitted, 16.0f) << "the resize after the fresh start fits the font";
    EXPECT_EQ(fitted, std::trunc(fitted)) << "whole points";

    // Measured independently: "Xg" at fitted + 3 is the first size taller than 645 twips.
    auto heightTwips = [](float points) {
        Surface probe;
        probe.setFont(StdFont(QStringLiteral("Arial"), points, true));
        return probe.textHeight(QStringLiteral("Xg")) * 15;
    };
    EXPECT_GT(heightTwips(fitted + 3), 645.0);
    EXPECT_LE(heightTwips(fitted + 2), 645.0);

    PropertyBag bag;
    banner.WriteProperties(bag);
    EXPECT_EQ(bag.readFloat(QStringLiteral("FontSize"), 0), fitted);
}

TEST(BannerCaption, FontAutoSizeOffKeepsTheSize)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    banner.setFontAutoSize(VbFalse);
    banner.setFontSize(9.75f);
    host.resize(60, 303);
    EXPECT_EQ(banner.FontSize(), 9.75f);
}

TEST(BannerCaption, AnyNonFalseAutoSizeFits)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    banner.setFontAutoSize(VbFalse);
    banner.setFontSize(9.75f);
    banner.setFontAutoSize(1);
    EXPECT_EQ(banner.FontAutoSize(), 1) << "stored unchanged";
    EXPECT_NE(banner.FontSize(), 9.75f);
}

TEST(BannerCaption, WiderBannerFitsALargerFont)
{
    BannerHost host;
    placeFresh(host);
    const float narrow = host.banner().FontSize();
    host.resize(80, 303);
    EXPECT_GT(host.banner().FontSize(), narrow);
}

TEST(BannerCaption, FittedSizeBelowOneStopsWithoutCaption)
{
    BannerHost host;
    placeFresh(host);
    host.resize(1, 303); // "Xg" at 2 points is already taller than one pixel
    csLogo &banner = host.banner();
    EXPECT_EQ(banner.FontSize(), 2.0f) << "the rejected size -1 was never set";
    EXPECT_EQ(pixelsOf(banner.surface(), white).count, 0);
    EXPECT_EQ(banner.surface().pixel(0, 302), 0x00800000u) << "the bands are painted";
}

TEST(BannerCaption, FaceNameOfThirtyFourCharactersDrawsNoCaption)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    banner.setFontName(QString(34, QLatin1Char('A')));
    EXPECT_EQ(banner.FontName(), QString(34, QLatin1Char('A')));
    EXPECT_EQ(pixelsOf(banner.surface(), white).count, 0);
    EXPECT_EQ(banner.surface().pixel(0, 302), 0x00800000u);

    banner.setFontName(QString(33, QLatin1Char('A'))); // fills the buffer: still drawn
    EXPECT_GT(pixelsOf(banner.surface(), white).count, 0);
}

TEST(BannerCaption, FaceNameWithoutSingleByteCodeDrawsNoCaption)
{
    BannerHost host;
    placeFresh(host);
    host.banner().setFontName(QStringLiteral("Arial \u4E00"));
    EXPECT_EQ(pixelsOf(host.banner().surface(), white).count, 0);
    host.banner().setFontName(QStringLiteral("Arial"));
    EXPECT_GT(pixelsOf(host.banner().surface(), white).count, 0);
}

TEST(BannerCaption, CaptionCharactersWithoutSingleByteCodeShowAsQuestionMarks)
{
    EXPECT_EQ(pictureAtSize(12, QStringLiteral("a\u4E00b")),
              pictureAtSize(12, QStringLiteral("a?b")));
    EXPECT_NE(pictureAtSize(12, QStringLiteral("\u00F1")), pictureAtSize(12, QStringLiteral("?")));
}

TEST(BannerCaption, FixedSingleBorderFramesThePicture)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    banner.setBorderStyle(1);
    const Surface &s = banner.surface();
    for (int x = 0; x < s.width(); ++x) {
        ASSERT_EQ(s.pixel(x, 0), 0u);
        ASSERT_EQ(s.pixel(x, s.height() - 1), 0u);
    }
    for (int y = 0; y < s.height(); ++y) {
        ASSERT_EQ(s.pixel(0, y), 0u);
        ASSERT_EQ(s.pixel(s.width() - 1, y), 0u);
    }
    banner.setBorderStyle(0);
    EXPECT_EQ(s.pixel(s.width() - 1, s.height() - 1), 0x00800000u);
}

// --- The font record ----------------------------------------------------------------------

TEST(BannerLogFont, FillsHeightWeightAndStyles)
{
    StdFont font(QStringLiteral("Arial"), 14.25f, true);
    font.setItalic(true);
    font.setStrikethrough(true);
    LogFont record;
    FontToLogFont(font, 96, record);
    EXPECT_EQ(record.lfHeight, -19);
    EXPECT_EQ(record.lfWeight, 700);
    EXPECT_EQ(record.lfItalic, 0xFF);
    EXPECT_EQ(record.lfUnderline, 0);
    EXPECT_EQ(record.lfStrikeOut, 0xFF);
    EXPECT_EQ(record.lfEscapement, 0);
    EXPECT_EQ(record.lfWidth, 0);
    EXPECT_EQ(record.lfCharSet, 0);
    EXPECT_EQ(record.faceName(), QStringLiteral("Arial"));
    EXPECT_EQ(record.lfFaceName[5], 0) << "the bytes after the name end it";

    StdFont plain(QStringLiteral("Verdana"), 8.25f);
    plain.setUnderline(true);
    FontToLogFont(plain, 120, record);
    EXPECT_EQ(record.lfHeight, -13); // 8 points at 120 DPI: 13.33
    EXPECT_EQ(record.lfWeight, 400);
    EXPECT_EQ(record.lfUnderline, 0xFF);
}

TEST(BannerLogFont, NameBytesUseTheSingleBytePage)
{
    LogFont record;
    FontToLogFont(StdFont(QStringLiteral("\u00C9\u20AC"), 10), 96, record);
    EXPECT_EQ(record.lfFaceName[0], 0xC9);
    EXPECT_EQ(record.lfFaceName[1], 0x80);
    EXPECT_EQ(record.faceName(), QStringLiteral("\u00C9\u20AC"));
}

TEST(BannerLogFont, RejectsLongNamesAndCharactersWithoutCode)
{
    LogFont record;
    EXPECT_NO_THROW(FontToLogFont(StdFont(QString(33, QLatin1Char('a')), 10), 96, record));
    try {
        FontToLogFont(StdFont(QString(34, QLatin1Char('a')), 10), 96, record);
        FAIL() << "a 34th character must be an error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("33"))) << e.what();
    }
    try {
        FontToLogFont(StdFont(QStringLiteral("Ar\u0100al"), 10), 96, record);
        FAIL() << "a character without a single-byte code must be an error";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("posición 3"))) << e.what();
    }
}

TEST(BannerLogFont, ThirtyThreeCharacterNameIsReadAsThirtyTwo)
{
    LogFont record;
    FontToLogFont(StdFont(QString(33, QLatin1Char('a')), 10), 96, record);
    EXPECT_EQ(record.faceName(), QString(32, QLatin1Char('a')));
}

TEST(BannerLogFont, BecomesAFontOfTheCharacterHeight)
{
    LogFont record;
    FontToLogFont(StdFont(QStringLiteral("Arial"), 16, true), 96, record);
    const QFont font = record.toQFont();
    EXPECT_EQ(font.pixelSize(), 21);
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_EQ(font.family(), QStringLiteral("Arial"));
}

TEST(BannerLogFont, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(10, 96, 72), 13);
    EXPECT_EQ(MulDiv(14, 96, 72), 19); // 18.67
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(3, -1, 2), -2);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 2), -1) << "a result beyond 32 bits";
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF) << "64-bit product";
}
