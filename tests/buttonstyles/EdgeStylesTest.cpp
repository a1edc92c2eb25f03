// Edges of Classic, ThinEdge, ThickEdge and Beveled, sampled where the drawing lists decide
// the colour (later primitives over earlier ones), on a few sizes. Captions are left empty so
// that only edges and focus cues show.

#include "StyleCanvas.h"

#include <gtest/gtest.h>

namespace {

class EdgeStyles : public ::testing::TestWithParam<QSize>
{
protected:
    StyleCanvas canvas{GetParam().width(), GetParam().height()};
    const ButtonPalette c = distinctPalette();
    const int W = GetParam().width();
    const int H = GetParam().height();
};

INSTANTIATE_TEST_SUITE_P(Sizes, EdgeStyles,
                         ::testing::Values(QSize(75, 23), QSize(40, 10), QSize(120, 50)));

TEST_P(EdgeStyles, ClassicUpHasTwoRingsLitFromTopLeft)
{
    canvas.paint(Classic, ButtonLook::Up);
    EXPECT_PIXELS(canvas, {0, 0, c.highlightColor}, {W - 2, 0, c.highlightColor},
                  {0, H - 2, c.highlightColor}, {W / 2, 0, c.highlightColor},
                  {0, H / 2, c.highlightColor}, {W - 1, 0, c.darkShadowColor},
                  {W - 1, H / 2, c.darkShadowColor}, {W - 1, H - 1, c.darkShadowColor},
                  {0, H - 1, c.darkShadowColor}, {W / 2, H - 1, c.darkShadowColor},
                  {1, 1, c.lightColor}, {W - 3, 1, c.lightColor}, {1, H - 3, c.lightColor},
                  {W / 2, 1, c.lightColor}, {1, H / 2, c.lightColor}, {W - 2, 1, c.shadowColor},
                  {W - 2, H / 2, c.shadowColor}, {W - 2, H - 2, c.shadowColor},
                  {1, H - 2, c.shadowColor}, {W / 2, H - 2, c.shadowColor}, {2, 2, c.faceColor},
                  {W / 2, H / 2, c.faceColor});
}

TEST_P(EdgeStyles, ClassicUpWithoutDefaultShowsNoFocusEvenWhenFocused)
{
    canvas.state().focused = true;
    canvas.paint(Classic, ButtonLook::Up);
    EXPECT_PIXELS(canvas, {3, 3, c.faceColor}, {W - 4, 3, c.faceColor}, {3, H - 4, c.faceColor});
}

TEST_P(EdgeStyles, ClassicDefaultUpMovesRingsInAndOutlinesInDarkShadow)
{
    canvas.state().displayAsDefault = true;
    canvas.paint(Classic, ButtonLook::Up);
    for (int x = 0; x < W; ++x) {
        EXPECT_EQ(canvas.at(x, 0), c.darkShadowColor) << x;
        EXPECT_EQ(canvas.at(x, H - 1), c.darkShadowColor) << x;
    }
    for (int y = 0; y < H; ++y) {
        EXPECT_EQ(canvas.at(0, y), c.darkShadowColor) << y;
        EXPECT_EQ(canvas.at(W - 1, y), c.darkShadowColor) << y;
    }
    EXPECT_PIXELS(canvas, {1, 1, c.highlightColor}, {W / 2, 1, c.highlightColor},
                  {1, H / 2, c.highlightColor}, {W - 2, 1, c.darkShadowColor},
                  {1, H - 2, c.darkShadowColor}, {W - 2, H - 2, c.darkShadowColor},
                  {W / 2, H - 2, c.darkShadowColor}, {W - 3, H - 2, c.darkShadowColor},
                  {2, 2, c.lightColor}, {W / 2, 2, c.lightColor}, {W - 3, 2, c.shadowColor},
                  {2, H - 3, c.shadowColor}, {W - 3, H - 3, c.shadowColor},
                  {W / 2, H - 3, c.shadowColor}, {3, 3, c.faceColor}, {4, 3, c.faceColor});
}

TEST_P(EdgeStyles, ClassicDefaultUpFocusedDrawsDottedFocusRectangle)
{
    canvas.state().displayAsDefault = true;
    canvas.state().focused = true;
    canvas.paint(Classic, ButtonLook::Up);
    // Every other pixel of the outline (3, 3, W-3, H-3) is inverted.
    EXPECT_PIXELS(canvas, {3, 3, inverted(c.faceColor)}, {4, 3, c.faceColor},
                  {5, 3, inverted(c.faceColor)}, {3, 4, c.faceColor}, {3, 5, inverted(c.faceColor)},
                  {4, 4, c.faceColor}, {0, 0, c.darkShadowColor});
    EXPECT_GT(canvas.count(inverted(c.faceColor)), W - 6);
}

TEST_P(EdgeStyles, ClassicPressedIsDarkOutlineAndShadowRing)
{
    canvas.paint(Classic, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {0, 0, c.darkShadowColor}, {W - 1, 0, c.darkShadowColor},
                  {0, H - 1, c.darkShadowColor}, {W - 1, H - 1, c.darkShadowColor},
                  {1, 1, c.shadowColor}, {W - 2, 1, c.shadowColor}, {1, H - 2, c.shadowColor},
                  {W - 2, H - 2, c.shadowColor}, {2, 2, c.faceColor}, {3, 3, c.faceColor});
}

TEST_P(EdgeStyles, ClassicPressedFocusedShowsFocusWithoutDefault)
{
    canvas.state().focused = true;
    canvas.paint(Classic, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {3, 3, inverted(c.faceColor)}, {4, 3, c.faceColor});
}

TEST_P(EdgeStyles, ThinEdgeUpIsOnePixelRaisedEdge)
{
    canvas.paint(ThinEdge, ButtonLook::Up);
    EXPECT_PIXELS(canvas, {0, 0, c.highlightColor}, {W - 2, 0, c.highlightColor},
                  {0, H - 2, c.highlightColor}, {W - 1, 0, c.shadowColor},
                  {W - 1, H - 1, c.shadowColor}, {0, H - 1, c.shadowColor},
                  {W / 2, H - 1, c.shadowColor}, {1, 1, c.faceColor}, {W - 2, H - 2, c.faceColor});
}

TEST_P(EdgeStyles, ThinEdgePressedSwapsLightAndShadow)
{
    canvas.paint(ThinEdge, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {0, 0, c.shadowColor}, {W - 2, 0, c.shadowColor},
                  {0, H - 2, c.shadowColor}, {W - 1, 0, c.highlightColor},
                  {W - 1, H - 1, c.highlightColor}, {0, H - 1, c.highlightColor},
                  {W - 2, H - 1, c.highlightColor}, {1, 1, c.faceColor});
}

TEST_P(EdgeStyles, ThinThickAndBeveledShowFocusWhenUpOrPressed)
{
    for (qint32 type : {ThinEdge, ThickEdge, Beveled}) {
        for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed}) {
            canvas.state().focused = false;
            canvas.paint(type, look);
            const ColorRef before = canvas.at(3, 3);
            const ColorRef neighbour = canvas.at(4, 3);
            canvas.state().focused = true;
            canvas.paint(type, look);
            EXPECT_EQ(canvas.at(3, 3), inverted(before)) << "type " << type;
            EXPECT_EQ(canvas.at(4, 3), neighbour) << "type " << type;
            EXPECT_EQ(canvas.at(W - 4, H - 4), ((W + H) % 2 == 0) ? inverted(before) : before)
                << "type " << type;
        }
    }
}

TEST_P(EdgeStyles, ThickEdgeUpIsTwoPixelRaisedEdgeInLightPlusEight)
{
    const ColorRef l8 = ShiftColor(c.lightColor, 8);
    canvas.paint(ThickEdge, ButtonLook::Up);
    EXPECT_PIXELS(canvas, {0, 0, l8}, {1, 1, l8}, {W - 2, 0, l8}, {0, H - 2, l8}, {W / 2, 1, l8},
                  {1, H / 2, l8}, {W - 1, 0, c.shadowColor}, {W - 2, 1, c.shadowColor},
                  {W - 1, H - 1, c.shadowColor}, {0, H - 1, c.shadowColor},
                  {1, H - 2, c.shadowColor}, {W - 2, H - 2, c.shadowColor},
                  {W / 2, H - 2, c.shadowColor}, {2, 2, c.faceColor}, {W - 3, H - 3, c.faceColor});
}

TEST_P(EdgeStyles, ThickEdgePressedIsSunken)
{
    const ColorRef l8 = ShiftColor(c.lightColor, 8);
    canvas.paint(ThickEdge, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {0, 0, c.shadowColor}, {1, 1, c.shadowColor}, {W - 2, 0, c.shadowColor},
                  {0, H - 2, c.shadowColor}, {W - 1, 0, l8}, {W - 2, 1, l8}, {W - 1, H - 1, l8},
                  {0, H - 1, l8}, {1, H - 2, l8}, {W - 2, H - 2, l8}, {2, 2, c.faceColor});
}

TEST_P(EdgeStyles, BeveledKeepsFaceInItsFourCornersInEveryLook)
{
    for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
        canvas.paint(Beveled, look);
        EXPECT_PIXELS(canvas, {0, 0, c.faceColor}, {W - 1, 0, c.faceColor}, {0, H - 1, c.faceColor},
                      {W - 1, H - 1, c.faceColor}, {1, 0, c.darkShadowColor},
                      {W - 2, 0, c.darkShadowColor}, {0, 1, c.darkShadowColor},
                      {0, H - 2, c.darkShadowColor}, {W - 1, 1, c.darkShadowColor},
                      {W - 1, H - 2, c.darkShadowColor}, {1, H - 1, c.darkShadowColor},
                      {W - 2, H - 1, c.darkShadowColor});
    }
}

TEST_P(EdgeStyles, BeveledUpIsTwoPixelBevelLitFromTopLeft)
{
    canvas.paint(Beveled, ButtonLook::Up);
    EXPECT_PIXELS(
        canvas, {1, 1, c.highlightColor}, {2, 2, c.highlightColor}, {W - 3, 1, c.highlightColor},
        {W - 4, 2, c.highlightColor}, {1, H - 3, c.highlightColor}, {2, H - 4, c.highlightColor},
        {W - 2, 1, c.shadowColor}, {W - 3, 2, c.shadowColor}, {W - 2, H - 2, c.shadowColor},
        {1, H - 2, c.shadowColor}, {2, H - 3, c.shadowColor}, {W - 3, H - 3, c.shadowColor},
        {3, 3, c.faceColor}, {W - 4, H - 4, c.faceColor});
}

TEST_P(EdgeStyles, BeveledPressedSwapsTheBevel)
{
    canvas.paint(Beveled, ButtonLook::Pressed);
    EXPECT_PIXELS(canvas, {1, 1, c.shadowColor}, {2, 2, c.shadowColor}, {W - 3, 1, c.shadowColor},
                  {1, H - 3, c.shadowColor}, {W - 2, 1, c.highlightColor},
                  {W - 3, 2, c.highlightColor}, {W - 2, H - 2, c.highlightColor},
                  {1, H - 2, c.highlightColor}, {2, H - 3, c.highlightColor}, {3, 3, c.faceColor});
}

TEST_P(EdgeStyles, DisabledEdgesAreTheUpEdgesWithoutFocusOrDefault)
{
    // Without a caption the disabled lists come down to the up edges (Classic's ordinary
    // ones), whatever the focus and the default flag say.
    for (qint32 type : {Classic, ThinEdge, ThickEdge, Beveled, Rounded}) {
        canvas.state().focused = false;
        canvas.state().displayAsDefault = false;
        canvas.paint(type, ButtonLook::Up);
        const QImage up = canvas.surface().image().copy();
        canvas.state().focused = true;
        canvas.state().displayAsDefault = true;
        canvas.paint(type, ButtonLook::Disabled);
        EXPECT_EQ(canvas.surface().image(), up) << "type " << type;
    }
}

TEST(EdgeStylesRange, WidthOutOfTheThirtyTwoBitRangeIsAnOverflowError)
{
    StyleCanvas canvas(10, 10);
    canvas.state().width = std::numeric_limits<qint32>::min();
    for (qint32 type : {Classic, ThinEdge, ThickEdge, Beveled})
        EXPECT_THROW(canvas.paint(type, ButtonLook::Up), OverflowError) << type;
}

} // namespace
