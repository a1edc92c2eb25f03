#include "platform/Surface.h"

#include <gtest/gtest.h>

namespace {

constexpr ColorRef back = 0x00102030;
constexpr ColorRef ink = 0x000000FF;

Surface makeSurface(int w, int h)
{
    Surface s;
    s.setBackColor(back);
    s.resize(w, h);
    return s;
}

int countPixels(const Surface &s, ColorRef color)
{
    int n = 0;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            n += s.pixel(x, y) == color;
    return n;
}

} // namespace

TEST(Surface, ANewSizeIsClearedToTheBackColour)
{
    Surface s = makeSurface(7, 5);
    EXPECT_EQ(countPixels(s, back), 35);
    s.setPixel(3, 3, ink);
    s.clear();
    EXPECT_EQ(countPixels(s, back), 35);
}

TEST(Surface, HorizontalAndVerticalLinesLeaveOutTheirEndPixel)
{
    Surface s = makeSurface(10, 10);
    s.line(2, 4, 6, 4, ink);
    EXPECT_EQ(s.pixel(2, 4), ink);
    EXPECT_EQ(s.pixel(5, 4), ink);
    EXPECT_EQ(s.pixel(6, 4), back);
    EXPECT_EQ(s.pixel(1, 4), back);

    s.line(8, 1, 8, 3, ink);
    EXPECT_EQ(s.pixel(8, 1), ink);
    EXPECT_EQ(s.pixel(8, 2), ink);
    EXPECT_EQ(s.pixel(8, 3), back);
    EXPECT_EQ(countPixels(s, ink), 6);
}

TEST(Surface, LinesDrawnBackwardsStillSkipTheEndPixel)
{
    Surface s = makeSurface(10, 10);
    s.line(6, 1, 2, 1, ink);
    EXPECT_EQ(s.pixel(6, 1), ink);
    EXPECT_EQ(s.pixel(3, 1), ink);
    EXPECT_EQ(s.pixel(2, 1), back);
    s.line(0, 0, 0, 0, ink); // a line of no length draws nothing
    EXPECT_EQ(s.pixel(0, 0), back);
}

TEST(Surface, LinesAndPixelsOutsideThePictureAreClipped)
{
    Surface s = makeSurface(4, 4);
    s.line(-5, 2, 20, 2, ink);
    s.line(1, -9, 1, 99, ink);
    s.setPixel(-1, 0, ink);
    s.setPixel(4, 0, ink);
    EXPECT_EQ(countPixels(s, ink), 4 + 3);
}

TEST(Surface, RectanglesExcludeTheirRightAndBottomEdges)
{
    Surface s = makeSurface(10, 10);
    s.fillRect({1, 2, 4, 5}, ink);
    EXPECT_EQ(countPixels(s, ink), 9);
    EXPECT_EQ(s.pixel(1, 2), ink);
    EXPECT_EQ(s.pixel(3, 4), ink);
    EXPECT_EQ(s.pixel(4, 4), back);
    EXPECT_EQ(s.pixel(3, 5), back);
}

TEST(Surface, EmptyOrInvertedRectanglesDrawNothing)
{
    Surface s = makeSurface(10, 10);
    s.fillRect({4, 4, 4, 8}, ink);
    s.fillRect({6, 6, 2, 2}, ink);
    s.frameRect({5, 5, 5, 5}, ink);
    s.frameRect({8, 2, 3, 9}, ink);
    s.drawFocusRect({7, 7, 1, 1});
    EXPECT_EQ(countPixels(s, back), 100);
}

TEST(Surface, FrameIsTheOneDotOutlineInside)
{
    Surface s = makeSurface(10, 10);
    s.frameRect({1, 1, 6, 5}, ink);
    EXPECT_EQ(countPixels(s, ink), 2 * 5 + 2 * 2);
    EXPECT_EQ(s.pixel(5, 4), ink);
    EXPECT_EQ(s.pixel(2, 2), back);
    EXPECT_EQ(s.pixel(6, 4), back);
}

TEST(Surface, FocusRectangleIsDottedAndASecondOneRestoresThePicture)
{
    Surface s = makeSurface(12, 9);
    s.fillRect({0, 0, 12, 9}, 0x00808080);
    const QImage before = s.image().copy();
    s.drawFocusRect({3, 3, 9, 6});
    EXPECT_NE(s.image(), before);
    // Dotted: neighbours along the outline differ.
    EXPECT_NE(s.pixel(4, 3), s.pixel(5, 3));
    // The inside is untouched.
    EXPECT_EQ(s.pixel(5, 4), 0x00808080u);
    s.drawFocusRect({3, 3, 9, 6});
    EXPECT_EQ(s.image(), before);
}

TEST(Surface, CaptionIsCentredInTheTextColourWithTheMnemonicHidden)
{
    Surface s = makeSurface(80, 24);
    s.setFont(StdFont(QStringLiteral("DejaVu Sans"), 8.25f));
    s.setTextColor(ink);
    s.drawText(QStringLiteral("&Buscar"), {0, 0, 80, 24});
    const int inked = countPixels(s, ink);
    ASSERT_GT(inked, 20);
    // Every drawn pixel is exactly the text colour: no antialiasing.
    EXPECT_EQ(inked + countPixels(s, back), 80 * 24);

    int minX = 80, maxX = -1, minY = 24, maxY = -1;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 80; ++x)
            if (s.pixel(x, y) == ink) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    EXPECT_LE(std::abs((minX + maxX) - 79), 4) << "horizontally centred";
    EXPECT_LE(std::abs((minY + maxY) - 23), 6) << "vertically centred";

    // The marker underlines the next character instead of showing itself.
    auto inkOf = [](const QString &text) {
        Surface t = makeSurface(80, 24);
        t.setFont(StdFont(QStringLiteral("DejaVu Sans"), 8.25f));
        t.setTextColor(ink);
        t.drawText(text, {0, 0, 80, 24});
        return countPixels(t, ink);
    };
    EXPECT_GT(inked, inkOf(QStringLiteral("Buscar")));
    EXPECT_LT(inked, inkOf(QStringLiteral("Buscar")) + 12);
    // A doubled ampersand shows one "&" and underlines nothing.
    EXPECT_GT(inkOf(QStringLiteral("A&&B")), inkOf(QStringLiteral("AB")) + 5);
}

TEST(Surface, CaptionIsClippedToItsRectangle)
{
    Surface s = makeSurface(60, 20);
    s.setTextColor(ink);
    s.drawText(QStringLiteral("WWWWWWWWWWWWWWWWWW"), {10, 5, 30, 15});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 60; ++x)
            if (s.pixel(x, y) == ink) {
                EXPECT_GE(x, 10);
                EXPECT_LT(x, 30);
                EXPECT_GE(y, 5);
                EXPECT_LT(y, 15);
            }
}

TEST(Surface, TurnedTextRunsUpwardFromItsReferencePoint)
{
    Surface s = makeSurface(30, 200);
    s.setTextColor(ink);
    const QFont font = StdFont(QStringLiteral("Liberation Sans"), 14.25f, true).toQFont(19);
    s.textOut(0, 200 - 16, QStringLiteral("Orvalin"), font, 900);
    int minX = 99, maxX = -1, minY = 999, maxY = -1;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 30; ++x)
            if (s.pixel(x, y) == ink) {
                minX = std::min(minX, x);
                maxX = std::max(maxX, x);
                minY = std::min(minY, y);
                maxY = std::max(maxY, y);
            }
    ASSERT_GE(maxX, 0);
    EXPECT_GE(minX, 0);
    EXPECT_LE(maxX, 22) << "letters occupy the columns of the cell height";
    EXPECT_LT(maxY, 184) << "text runs upward from the reference point";
    EXPECT_GT(184 - minY, 50) << "the text is long along the vertical";
}

TEST(Surface, TextMeasuresGrowWithTheFont)
{
    Surface s;
    s.setFont(StdFont(QStringLiteral("Liberation Sans"), 8.25f));
    const qreal small = s.textHeight(QStringLiteral("Xg"));
    const qreal narrow = s.textWidth(QStringLiteral("Xg"));
    s.setFont(StdFont(QStringLiteral("Liberation Sans"), 14.25f, true));
    EXPECT_GT(s.textHeight(QStringLiteral("Xg")), small);
    EXPECT_GT(s.textWidth(QStringLiteral("Xg")), narrow);
    EXPECT_EQ(s.textWidth(QString()), 0);
}

TEST(Surface, FontBoldSwitchChangesOnlyTheSurfaceFont)
{
    Surface s;
    StdFont font(QStringLiteral("Arial"), 8.25f, true);
    s.setFont(font);
    s.setFontBold(false);
    EXPECT_FALSE(s.fontBold());
    EXPECT_TRUE(font.bold());
}

namespace {

// The caption as a painter draws it straight onto a copy of the picture: what the surface
// drew before it kept the pixels of its captions.
QImage paintedDirectly(const Surface &s, const QImage &before, const QString &text,
                       const WinRect &rect, ColorRef color)
{
    QImage expected = before.copy();
    TextStamps::paint(expected, text, s.currentQFont(), rect, toQRgb(color));
    return expected;
}

} // namespace

TEST(Surface, CaptionsDrawnAgainMatchAFreshPaintingWhateverChangedBetween)
{
    Surface s = makeSurface(90, 30);
    s.setFont(StdFont(QStringLiteral("DejaVu Sans"), 8.25f));
    const QStringList texts = {QStringLiteral("&Buscar"), QStringLiteral("a\tb&&c"),
                               QStringLiteral("WWWWWWWWWWWWWWWW"), QStringLiteral("Ñandú")};
    // Inside, off every edge, and in more places than the surface keeps captions for.
    QList<WinRect> rects;
    for (int left : {-9, -1, 0, 3, 50})
        for (int top : {-5, 0, 2, 20})
            rects.append({left, top, left + 45, top + 17});

    int step = 0;
    auto check = [&](const QString &text, const WinRect &rect) {
        const ColorRef color = ColorRef(0x00300000u + 0x10203u * ColorRef(step++ % 9));
        const QImage expected = paintedDirectly(s, s.image(), text, rect, color);
        s.setTextColor(color);
        s.drawText(text, rect);
        ASSERT_EQ(s.image(), expected)
            << text.toStdString() << " at " << rect.left << "," << rect.top << " step " << step;
    };
    for (int round = 0; round < 2; ++round)
        for (const QString &text : texts)
            for (const WinRect &rect : rects)
                check(text, rect);

    // The face, its size and the picture's size and DPI all count: nothing drawn before
    // stands in for a caption in the new state.
    const WinRect rect{5, 4, 80, 26};
    check(texts[0], rect);
    s.setFontBold(true);
    check(texts[0], rect);
    s.setFont(StdFont(QStringLiteral("DejaVu Serif"), 11.0f));
    check(texts[0], rect);
    s.setLogicalDpi(144);
    check(texts[0], rect);
    s.resize(60, 20);
    check(texts[0], rect);
    s.resize(0, 20);
    s.drawText(texts[0], rect);
    EXPECT_TRUE(s.image().isNull());
}

TEST(Surface, MeasuresFollowTheCurrentFont)
{
    Surface s;
    s.setFont(StdFont(QStringLiteral("DejaVu Sans"), 8.25f));
    const qreal regular = s.textWidth(QStringLiteral("Buscar"));
    s.setFontBold(true);
    const qreal bold = s.textWidth(QStringLiteral("Buscar"));
    EXPECT_GT(bold, regular);
    EXPECT_EQ(bold, QFontMetricsF(s.currentQFont()).horizontalAdvance(QStringLiteral("Buscar")));
    s.setLogicalDpi(192);
    EXPECT_EQ(s.currentQFont().pixelSize(),
              StdFont(QStringLiteral("DejaVu Sans"), 8.25f, true).pixelHeight(192));
    EXPECT_GT(s.textHeight(QStringLiteral("a\nb")), 2 * s.textHeight(QStringLiteral("a")) - 1);
}
