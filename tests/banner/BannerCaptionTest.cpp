#include "BannerHost.h"

#include "controls/banner/LogFont.h"
#include "platform/SystemColors.h"
#include "platform/base/Error.h"

#include <gtest/gtest.h>

namespace {

constexpr ColorRef white = 0x00FFFFFF;
constexpr ColorRef navy = 0x00800000;

// A fresh banner of the size a designer places (645 × 4545 twips at 15 twips per pixel).
void placeFresh(BannerHost &host)
{
    host.banner().InitProperties();
    host.resize(43, 303);
}

// How many pixels have the colour, and the box around them.
struct Extent
{
    int count = 0;
    QRect box;
};

Extent pixelsOf(const Surface &surface, ColorRef color)
{
    Extent e;
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            if (surface.pixel(x, y) == color) {
                ++e.count;
                e.box |= QRect(x, y, 1, 1);
            }
    return e;
}

// The picture of a black banner with a white caption in the given size, not fitted.
QImage pictureAtSize(float points, const QString &caption = QStringLiteral("Xg"))
{
    BannerHost host;
    csLogo &banner = host.banner();
    host.resize(40, 200);
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
    const Extent text = pixelsOf(host.banner().surface(), white);
    ASSERT_GT(text.count, 20) << "a fresh banner writes \"csLogo\" in white";
    // (0, H - 16) is the top-left of the turned cell: the letters lie right of and above it.
    EXPECT_LE(text.box.bottom(), 303 - 16);
    EXPECT_GT(text.box.top(), 303 / 2);
    EXPECT_GT(text.box.height(), 2 * text.box.width()) << "taller than wide";

    host.banner().setCaption(QString());
    EXPECT_EQ(pixelsOf(host.banner().surface(), white).count, 0);
    EXPECT_EQ(host.banner().surface().pixel(42, 302), navy) << "the bands remain";
}

TEST(BannerCaption, ForeColorNamingASystemColourDrawsItsValue)
{
    BannerHost host;
    placeFresh(host);
    host.banner().setForeColor(0x80000012);
    const ColorRef buttonText = SystemColors::sysColor(SystemColors::BtnText);
    EXPECT_GT(pixelsOf(host.banner().surface(), buttonText).count, 20);
    EXPECT_EQ(host.banner().foreColor(), 0x80000012u) << "the property keeps the system colour";
}

TEST(BannerCaption, SizeIsRoundedToWholePointsHalvesToEven)
{
    EXPECT_EQ(pictureAtSize(9.75f), pictureAtSize(10.0f));
    EXPECT_EQ(pictureAtSize(10.5f), pictureAtSize(10.0f));
    EXPECT_NE(pictureAtSize(10.5f), pictureAtSize(11.0f));
    EXPECT_EQ(pictureAtSize(11.5f), pictureAtSize(12.0f));
    // Characters without a single-byte code reach the text call as "?".
    EXPECT_EQ(pictureAtSize(12, QStringLiteral("a\u4E00b")), pictureAtSize(12, "a?b"));
}

TEST(BannerCaption, FontAutoSizeFitsThreePointsBelowTheFirstTooTallSize)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    const float fitted = banner.fontSize();
    ASSERT_NE(fitted, 16.0f) << "the resize after the fresh start fits the font";

    auto heightTwips = [](float points) {
        Surface probe;
        probe.setFont(StdFont(QStringLiteral("Arial"), points, true));
        return probe.textHeight(QStringLiteral("Xg")) * 15;
    };
    EXPECT_GT(heightTwips(fitted + 3), 645.0);
    EXPECT_LE(heightTwips(fitted + 2), 645.0);
    PropertyBag bag;
    banner.WriteProperties(bag);
    EXPECT_EQ(bag.readFloat(QStringLiteral("FontSize"), 0), fitted) << "saving stores it";

    banner.setFontAutoSize(VbFalse);
    banner.setFontSize(9.75f);
    host.resize(60, 303);
    EXPECT_EQ(banner.fontSize(), 9.75f) << "kept unchanged while FontAutoSize is False";
}

TEST(BannerCaption, FailuresInsideDrawStopQuietlyBeforeTheCaption)
{
    BannerHost host;
    placeFresh(host);
    csLogo &banner = host.banner();
    host.resize(1, 303); // "Xg" at 2 points is already taller: the fitted size would be -1
    EXPECT_EQ(banner.fontSize(), 2.0f);
    EXPECT_EQ(pixelsOf(banner.surface(), white).count, 0);
    EXPECT_EQ(banner.surface().pixel(0, 302), navy) << "the bands are painted";

    host.resize(43, 303);
    banner.setFontAutoSize(VbFalse);
    for (const QString &name : {QString(34, QLatin1Char('A')), QStringLiteral("Arial \u4E00")}) {
        banner.setFontName(name);
        EXPECT_EQ(banner.fontName(), name);
        EXPECT_EQ(pixelsOf(banner.surface(), white).count, 0) << name.size();
        EXPECT_EQ(banner.surface().pixel(0, 302), navy);
    }
    banner.setFontName(QString(33, QLatin1Char('A'))); // fills the buffer: still drawn
    EXPECT_GT(pixelsOf(banner.surface(), white).count, 0);
}

TEST(BannerCaption, FixedSingleBorderFramesThePicture)
{
    BannerHost host;
    placeFresh(host);
    host.banner().setBorderStyle(1);
    const Surface &s = host.banner().surface();
    for (int x = 0; x < s.width(); ++x)
        ASSERT_TRUE(s.pixel(x, 0) == 0 && s.pixel(x, s.height() - 1) == 0) << x;
    for (int y = 0; y < s.height(); ++y)
        ASSERT_TRUE(s.pixel(0, y) == 0 && s.pixel(s.width() - 1, y) == 0) << y;
    host.banner().setBorderStyle(0);
    EXPECT_EQ(s.pixel(s.width() - 1, s.height() - 1), navy);
}

TEST(BannerLogFont, FillsTheRecordFromTheFont)
{
    StdFont font(QStringLiteral("\u00C9\u20AC"), 14.25f, true);
    font.setItalic(true);
    LogFont record;
    FontToLogFont(font, 96, record);
    EXPECT_EQ(record.lfHeight, -19);
    EXPECT_EQ(record.lfWeight, 700);
    EXPECT_EQ(record.lfItalic, 0xFF);
    EXPECT_EQ(record.lfUnderline, 0);
    EXPECT_EQ(QByteArray(reinterpret_cast<const char *>(record.lfFaceName.data()), 3),
              QByteArray("\xC9\x80\0", 3))
        << "single-byte codes, then the terminator";
    FontToLogFont(StdFont(QStringLiteral("Verdana"), 8.25f), 120, record);
    EXPECT_EQ(record.lfHeight, -13); // 8 points at 120 DPI: 13.33
    EXPECT_EQ(record.toQFont().pixelSize(), 13);
}

TEST(BannerLogFont, NamesLongerThanTheBufferOrWithoutCodeAreErrors)
{
    LogFont record;
    FontToLogFont(StdFont(QString(33, QLatin1Char('a')), 10), 96, record);
    EXPECT_EQ(record.faceName(), QString(32, QLatin1Char('a'))) << "no terminator: 32 read";
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

TEST(BannerLogFont, MulDivRoundsHalvesAwayFromZero)
{
    EXPECT_EQ(MulDiv(3, 1, 2), 2);
    EXPECT_EQ(MulDiv(-3, 1, 2), -2);
    EXPECT_EQ(MulDiv(5, 1, 0), -1);
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 4, 2), -1) << "a result beyond 32 bits";
    EXPECT_EQ(MulDiv(0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF), 0x7FFFFFFF) << "64-bit product";
}

TEST(BannerCaption, ALongerCaptionRunsPastTheTopEdgeUnclipped)
{
    BannerHost host;
    csLogo &banner = host.banner();
    banner.InitProperties();
    host.resize(43, 120);
    banner.setFontAutoSize(VbFalse);
    banner.setForeColor(white);
    banner.setCaption(QStringLiteral("Un título mucho más largo que el propio banner"));
    const Extent text = pixelsOf(banner.surface(), white);
    // Written from 16 pixels above the bottom up to the very top row, not cut short or
    // shortened to fit.
    ASSERT_GT(text.count, 0);
    EXPECT_EQ(text.box.top(), 0);
    EXPECT_LE(text.box.bottom(), 120 - 16);
    // The same caption on a banner tall enough for it reaches further up than 120 pixels.
    BannerHost tall;
    csLogo &whole = tall.banner();
    whole.InitProperties();
    tall.resize(43, 900);
    whole.setFontAutoSize(VbFalse);
    whole.setForeColor(white);
    whole.setCaption(banner.caption());
    const Extent full = pixelsOf(whole.surface(), white);
    EXPECT_GT(full.box.height(), 120);
}
