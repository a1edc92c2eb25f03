// Rounded and Etched: corners shaped pixel by pixel, shifted shadow colours, Etched's
// non-bold caption and its caption box.

#include "StyleCanvas.h"

#include "controls/button/EtchedStyle.h"

#include <gtest/gtest.h>

namespace {

class RoundedEtched : public ::testing::TestWithParam<QSize>
{
protected:
    StyleCanvas canvas{GetParam().width(), GetParam().height()};
    const ButtonPalette c = distinctPalette();
    const int W = GetParam().width();
    const int H = GetParam().height();
    ColorRef s(qint32 delta) const { return ShiftColor(c.shadowColor, delta); }
};

INSTANTIATE_TEST_SUITE_P(Sizes, RoundedEtched,
                         ::testing::Values(QSize(75, 23), QSize(40, 10), QSize(120, 50)));

TEST_P(RoundedEtched, RoundedUpShapesCornersAndSoftBevel)
{
    canvas.paint(Rounded, ButtonLook::Up);
    EXPECT_PIXELS(canvas,
                  // Outside the rounded outline the face stays.
                  {0, 0, c.faceColor}, {1, 0, c.faceColor}, {0, 1, c.faceColor},
                  {W - 2, 0, c.faceColor}, {0, H - 2, c.faceColor},
                  // Rim and its corner pixels.
                  {2, 0, c.darkShadowColor}, {W - 3, 0, c.darkShadowColor},
                  {2, H - 1, c.darkShadowColor}, {0, 2, c.darkShadowColor},
                  {0, H - 3, c.darkShadowColor}, {W - 1, 2, c.darkShadowColor},
                  {1, 1, c.darkShadowColor}, {1, H - 2, c.darkShadowColor},
                  {W - 2, 1, c.darkShadowColor}, {W - 2, H - 2, c.darkShadowColor},
                  // Top-left bevel.
                  {1, 2, c.faceColor}, {2, 1, c.faceColor}, {2, 2, c.highlightColor},
                  {3, 2, c.highlightColor}, {W - 4, 2, c.highlightColor}, {2, 3, c.highlightColor},
                  {2, H - 4, c.highlightColor}, {3, 3, c.highlightColor},
                  // Bottom-right bevel.
                  {W - 3, 1, c.faceColor}, {W - 3, 3, c.faceColor}, {W - 4, H - 3, c.faceColor},
                  {1, H - 3, c.faceColor}, {W - 4, H - 4, c.faceColor}, {W - 2, 3, c.shadowColor},
                  {W - 2, H - 3, c.shadowColor}, {3, H - 2, c.shadowColor},
                  {W - 3, H - 2, c.shadowColor}, {W - 3, H - 3, c.shadowColor},
                  // The last touches on the two other corners.
                  {2, H - 2, c.faceColor}, {2, H - 3, c.lightColor}, {W - 2, 2, c.faceColor},
                  {W - 3, 2, c.lightColor},
                  // The light face.
                  {1, 3, c.lightColor}, {1, H - 4, c.lightColor}, {4, 4, c.lightColor},
                  {W / 2, H / 2, c.lightColor});
}

TEST_P(RoundedEtched, RoundedPressedIsSunkenInShadesOfShadow)
{
    canvas.paint(Rounded, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {0, 0, c.faceColor}, {1, 0, c.faceColor}, {2, 0, c.darkShadowColor},
                  {0, 2, c.darkShadowColor}, {1, 1, c.darkShadowColor},
                  {1, H - 2, c.darkShadowColor}, {W - 2, 1, c.darkShadowColor},
                  {W - 2, H - 2, c.darkShadowColor}, {2, 1, s(-64)}, {1, 2, s(-64)}, {2, 2, s(-64)},
                  {1, H - 4, s(-64)}, {3, 2, s(-32)}, {2, 3, s(-32)}, {3, 3, s(-32)},
                  {4, 4, s(-16)}, {W / 2, H / 2, s(-16)}, {W - 3, 1, s(-16)}, {W - 3, 2, s(-16)},
                  {W - 3, 3, c.shadowColor}, {W - 2, 2, s(-32)}, {W - 2, 3, s(-16)},
                  {W - 2, H - 3, s(-32)}, {W - 3, H - 3, c.shadowColor}, {3, H - 3, c.shadowColor},
                  {W - 4, H - 4, c.shadowColor}, {W - 3, H - 2, s(-32)}, {W - 4, H - 2, s(-16)},
                  {2, H - 2, s(-32)}, {2, H - 3, s(-16)}, {1, H - 3, s(-16)});
}

TEST_P(RoundedEtched, RoundedShowsNoFocusCueInAnyLook)
{
    for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
        canvas.state().focused = false;
        canvas.paint(Rounded, look);
        const QImage plain = canvas.surface().image().copy();
        canvas.state().focused = true;
        canvas.paint(Rounded, look);
        EXPECT_EQ(canvas.surface().image(), plain) << int(look);
    }
}

TEST_P(RoundedEtched, EtchedUpIsGroovedOnLighterFace)
{
    canvas.paint(Etched, ButtonLook::Up);
    EXPECT_PIXELS(
        canvas, {0, 0, s(-26)}, {W - 2, 0, s(-26)}, {0, H - 2, s(-26)}, {W / 2, 0, s(-26)},
        {W - 2, 2, s(-26)}, {2, H - 2, s(-26)}, {W / 2, H - 2, s(-26)},
        // The two corners cut from the outline keep the face.
        {W - 1, 0, c.faceColor}, {0, H - 1, c.faceColor}, {W - 1, H - 1, c.highlightColor},
        {1, 1, c.highlightColor}, {2, 1, c.highlightColor}, {1, 2, c.highlightColor},
        {W - 1, 1, c.highlightColor}, {1, H - 1, c.highlightColor},
        {W / 2, H - 1, c.highlightColor}, {1, H - 2, s(26)}, {W - 2, 1, s(26)},
        {2, 2, ShiftColor(c.faceColor, 12)}, {W - 3, H - 3, ShiftColor(c.faceColor, 12)});
}

TEST_P(RoundedEtched, EtchedPressedIsGroovedOnShadowFace)
{
    canvas.paint(Etched, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {0, 0, s(-26)}, {W - 2, 1, s(-26)}, {1, H - 2, s(-26)},
                  {W - 2, H - 2, s(-26)}, {W - 1, 0, c.faceColor}, {0, H - 1, c.faceColor},
                  {W - 1, 1, c.highlightColor}, {W - 1, H - 1, c.highlightColor},
                  {1, H - 1, c.highlightColor}, {W - 2, H - 1, c.highlightColor}, {1, 1, s(16)},
                  {W - 3, H - 3, s(16)});
}

TEST_P(RoundedEtched, EtchedDisabledIsOnlyShadowOutlineAndCaptionOnFace)
{
    StyleCanvas captioned(W, H, QStringLiteral("Buscar"));
    captioned.state().focused = true;
    captioned.paint(Etched, ButtonLook::Disabled);
    int caption = 0;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            const ColorRef p = captioned.at(x, y);
            const bool outline = x == 0 || y == 0 || x == W - 1 || y == H - 1;
            if (outline)
                EXPECT_EQ(hex(p), hex(c.shadowColor)) << x << "," << y;
            else if (p == c.shadowColor)
                ++caption;
            else
                EXPECT_EQ(hex(p), hex(c.faceColor)) << x << "," << y;
        }
    }
    EXPECT_GT(caption, 10);
}

TEST(EtchedCaptionBox, IsCentredOnTheMeasuredCaption)
{
    EXPECT_EQ(etchedCaptionBox(75, 23, 40, 13), (EtchedCaptionBox{14, 4, 46, 15}));
    // 34.5, 8.5, 46.5 and 16.5 all round down to the even neighbour.
    EXPECT_EQ(etchedCaptionBox(75, 23, 40.5, 14.5), (EtchedCaptionBox{14, 3, 46, 16}));
    // 35.5 rounds up to 36, halved to 18; 50.5 and 14.5 round down.
    EXPECT_EQ(etchedCaptionBox(80, 23, 44.5, 12.5), (EtchedCaptionBox{15, 4, 50, 14}));
}

TEST(EtchedCaptionBox, HalvingTruncatesTowardZeroForCaptionsWiderThanTheButton)
{
    // 20 - 25 = -5, halved to -2 (not -3).
    EXPECT_EQ(etchedCaptionBox(20, 9, 25, 13), (EtchedCaptionBox{-5, -3, 31, 15}));
}

TEST(EtchedCaptionBox, OutOfRangeIsAnOverflowError)
{
    EXPECT_THROW(etchedCaptionBox(10, 10, 1e12, 13), OverflowError);
    EXPECT_THROW(etchedCaptionBox(std::numeric_limits<qint32>::min(), 10, 1.0, 13), OverflowError);
}

// The pale blue box frames the caption when focused, in the up and the pressed look only.
class EtchedFocus : public ::testing::Test
{
protected:
    StyleCanvas canvas{75, 23, QStringLiteral("Buscar")};

    QRect boxBounds() const { return canvas.boundsOf(etchedCaptionBoxColor, {0, 0, 75, 23}); }
};

TEST_F(EtchedFocus, BoxFramesTheCaptionWhenUpOrPressed)
{
    canvas.state().focused = true;
    for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed}) {
        canvas.paint(Etched, look);
        const QRect box = boxBounds();
        ASSERT_FALSE(box.isNull()) << int(look);
        // The whole caption lies inside the box.
        const QRect text = canvas.boundsOf(canvas.palette().textColor, {0, 0, 75, 23});
        ASSERT_FALSE(text.isNull());
        EXPECT_TRUE(box.adjusted(1, 1, -1, -1).contains(text)) << int(look);
        // It is an outline: the box's middle is not box-coloured.
        EXPECT_NE(canvas.at(box.center().x(), box.center().y()), etchedCaptionBoxColor);
        const EtchedCaptionBox expected =
            etchedCaptionBox(75, 23, canvas.surface().textWidth(QStringLiteral("Buscar")),
                             canvas.surface().textHeight(QStringLiteral("Buscar")));
        EXPECT_EQ(box, QRect(expected.x, expected.y, expected.width, expected.height));
    }
}

TEST_F(EtchedFocus, NoBoxWithoutFocusOrWhenDisabled)
{
    for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed}) {
        canvas.paint(Etched, look);
        EXPECT_EQ(canvas.count(etchedCaptionBoxColor), 0) << int(look);
    }
    canvas.state().focused = true;
    canvas.paint(Etched, ButtonLook::Disabled);
    EXPECT_EQ(canvas.count(etchedCaptionBoxColor), 0);
}

TEST_F(EtchedFocus, AmpersandCountsInTheMeasuredWidth)
{
    canvas.state().focused = true;
    canvas.paint(Etched, ButtonLook::Up);
    const QRect plain = boxBounds();
    canvas.state().caption = QStringLiteral("&Buscar");
    canvas.paint(Etched, ButtonLook::Up);
    const QRect withMnemonic = boxBounds();
    EXPECT_GT(withMnemonic.width(), plain.width());
}

TEST(EtchedBold, CaptionIsDrawnNonBoldAndSurfaceBoldFollowsTheFontAfterwards)
{
    StyleCanvas regular(90, 27, QStringLiteral("Buscar"));
    regular.state().focused = true;
    regular.paint(Etched, ButtonLook::Up);

    StyleCanvas bold(90, 27, QStringLiteral("Buscar"));
    bold.state().focused = true;
    bold.state().fontBold = true;
    bold.surface().setFontBold(true);
    for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
        regular.paint(Etched, look);
        bold.paint(Etched, look);
        EXPECT_EQ(bold.surface().image(), regular.surface().image()) << int(look);
        EXPECT_TRUE(bold.surface().fontBold()) << int(look);
    }

    // A bold surface switch with a non-bold Font comes back non-bold.
    bold.state().fontBold = false;
    bold.surface().setFontBold(true);
    bold.paint(Etched, ButtonLook::Up);
    EXPECT_FALSE(bold.surface().fontBold());
}

} // namespace
