// Gradient: the per-row shading with its single-precision factors and round-half-to-even, the
// rim with its corner pixels, and the fixed accent colours of each look.

#include "StyleCanvas.h"

#include "controls/button/GradientStyle.h"

#include <gtest/gtest.h>

namespace {

constexpr ColorRef rim = 0x733C00;
constexpr ColorRef rimCorner = 0x7B4D10;

StyleCanvas gradientCanvas(int width, int height, ButtonLook look, bool focused = false)
{
    StyleCanvas canvas(width, height);
    canvas.state().focused = focused;
    canvas.paint(Gradient, look);
    return canvas;
}

TEST(GradientRows, HalvesRoundToEven)
{
    // H = 30 up: 2.5 per row in red and green, 1.666... in blue.
    const StyleCanvas up = gradientCanvas(75, 30, ButtonLook::Up);
    EXPECT_PIXELS(up, {0, 1, rgb(253, 253, 253)}, {74, 1, rgb(253, 253, 253)},
                  {10, 3, rgb(247, 247, 250)}, {37, 3, rgb(247, 247, 250)}, // 7.5 rounds to 8
                  {40, 25, rgb(193, 193, 213)},
                  // Row 29 is the rim row; its ends show the gradient: 72.5 rounds to 72.
                  {0, 29, rgb(183, 183, 207)}, {1, 29, rgb(183, 183, 207)});
}

TEST(GradientRows, ExactFactorsGiveWholeSteps)
{
    // H = 25 up: 3 per row in red and green and 2 in blue.
    const StyleCanvas up = gradientCanvas(75, 25, ButtonLook::Up);
    EXPECT_PIXELS(up, {10, 10, rgb(225, 225, 235)}, {40, 5, rgb(240, 240, 245)},
                  {40, 20, rgb(195, 195, 215)});
}

TEST(GradientRows, FactorsAreKeptInSinglePrecision)
{
    // 75 / 18 kept as a float is a little below 4.1666...: row 9 gives 37.4999..., so 37 (a
    // double factor would give 37.5 and round to 38).
    EXPECT_EQ(hex(gradientCanvas(75, 18, ButtonLook::Up).at(10, 9)), hex(rgb(218, 218, 230)));
    // 85 / 12 as a float is a little above 7.0833...: pressed row 6 gives 42.500001 taken in
    // double precision, so 43 (a double factor, or a single-precision product, gives 42).
    EXPECT_EQ(hex(gradientCanvas(75, 12, ButtonLook::Pressed).at(10, 6)), hex(rgb(212, 212, 225)));
}

TEST(GradientRows, DepthsDependOnTheLook)
{
    EXPECT_EQ(hex(gradientRowColor({1, 75, 50}, 30, 30)), hex(rgb(180, 180, 205)));
    EXPECT_EQ(hex(gradientRowColor({3, 85, 60}, 30, 30)), hex(rgb(170, 170, 195)));
    EXPECT_EQ(hex(gradientRowColor({1, 60, 40}, 30, 30)), hex(rgb(195, 195, 215)));
    EXPECT_EQ(hex(gradientCanvas(75, 30, ButtonLook::Pressed).at(10, 10)), hex(rgb(227, 227, 235)));
    EXPECT_EQ(hex(gradientCanvas(75, 30, ButtonLook::Disabled).at(10, 10)),
              hex(rgb(235, 235, 242)));
    EXPECT_EQ(hex(gradientCanvas(75, 30, ButtonLook::Disabled).at(0, 1)), hex(rgb(253, 253, 254)));
}

TEST(GradientRows, PressedLeavesTheTopRowsToTheFace)
{
    const StyleCanvas pressed = gradientCanvas(75, 23, ButtonLook::Pressed);
    const ColorRef face = pressed.palette().faceColor;
    // Rows 1 and 2 are not shaded when pressed; their outer pixels keep the face.
    EXPECT_PIXELS(pressed, {0, 0, face}, {0, 1, face}, {74, 1, face});
    const StyleCanvas up = gradientCanvas(75, 23, ButtonLook::Up);
    EXPECT_NE(up.at(0, 1), face);
}

class GradientLooks : public ::testing::TestWithParam<QSize>
{
protected:
    const int W = GetParam().width();
    const int H = GetParam().height();
};

INSTANTIATE_TEST_SUITE_P(Sizes, GradientLooks,
                         ::testing::Values(QSize(75, 23), QSize(40, 10), QSize(120, 50)));

TEST_P(GradientLooks, RimWithRoundedCornersInEveryLook)
{
    for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
        const StyleCanvas canvas = gradientCanvas(W, H, look);
        const ColorRef face = canvas.palette().faceColor;
        EXPECT_PIXELS(canvas, {0, 0, face}, {1, 0, face}, {W - 2, 0, face}, {W - 1, 0, face},
                      {2, 0, rim}, {W - 3, 0, rim}, {W / 2, 0, rim}, {2, H - 1, rim},
                      {W - 3, H - 1, rim}, {0, 2, rim}, {0, H - 3, rim}, {W - 1, 2, rim},
                      {W - 1, H - 3, rim}, {1, 1, rimCorner}, {W - 2, 1, rimCorner},
                      {1, H - 2, rimCorner}, {W - 2, H - 2, rimCorner});
    }
}

TEST_P(GradientLooks, UpAccents)
{
    const StyleCanvas up = gradientCanvas(W, H, ButtonLook::Up);
    EXPECT_PIXELS(up, {2, 1, 0xFFE7CE}, {W - 3, 1, 0xFFE7CE}, {W / 2, 1, 0xFFE7CE},
                  {1, 2, 0xF7D7BD}, {W - 2, 2, 0xF7D7BD}, {W / 2, 2, 0xF7D7BD}, {1, 3, 0xE7AE8C},
                  {W - 2, 3, 0xE7AE8C}, {1, H - 3, 0xE7AE8C}, {W / 2, H - 3, 0xE7AE8C},
                  {2, H - 2, 0xEF826B}, {W - 3, H - 2, 0xEF826B}, {W / 2, H - 2, 0xEF826B});
}

TEST_P(GradientLooks, PressedAccentsAndOrangeSideLinesWithOrWithoutFocus)
{
    for (bool focused : {false, true}) {
        const StyleCanvas pressed = gradientCanvas(W, H, ButtonLook::Pressed, focused);
        for (int x = 2; x <= W - 3; ++x)
            EXPECT_EQ(hex(pressed.at(x, 1)), hex(0xCEF3FF)) << x;
        for (int y = 3; y <= H - 4; ++y) {
            EXPECT_EQ(hex(pressed.at(2, y)), hex(0x6BCBFF)) << y;
            EXPECT_EQ(hex(pressed.at(W - 3, y)), hex(0x6BCBFF)) << y;
        }
        EXPECT_PIXELS(pressed, {1, 2, 0x8CDBFF}, {W - 2, 2, 0x8CDBFF}, {1, 3, 0x31B2FF},
                      {W - 2, H - 3, 0x31B2FF}, {2, H - 3, 0x31B2FF}, {2, H - 2, 0x0096E7},
                      {W - 3, H - 2, 0x0096E7});
        EXPECT_EQ(pressed.count(0xFFFFFF), 0);
    }
}

TEST_P(GradientLooks, DisabledAccentsAndNoSideLinesEvenWhenFocused)
{
    const StyleCanvas disabled = gradientCanvas(W, H, ButtonLook::Disabled, true);
    EXPECT_PIXELS(disabled, {W / 2, 1, 0xFFEAD0}, {W / 2, 2, 0xFAD9BF}, {1, 3, 0xFDBA99},
                  {W / 2, H - 3, 0xFDBA99}, {W / 2, H - 2, 0xFE8A71});
    const ColorRef row3 = gradientRowColor({1, 60, 40}, H, 3);
    EXPECT_PIXELS(disabled, {2, 3, row3}, {W - 3, 3, row3}, {3, 3, row3});
}

TEST_P(GradientLooks, UpFocusedDrawsWhiteSideLinesOverTheGradient)
{
    const StyleCanvas plain = gradientCanvas(W, H, ButtonLook::Up, false);
    const StyleCanvas focused = gradientCanvas(W, H, ButtonLook::Up, true);
    for (int y = 3; y <= H - 4; ++y) {
        const ColorRef row = gradientRowColor({1, 75, 50}, H, y);
        EXPECT_EQ(hex(plain.at(2, y)), hex(row)) << y;
        EXPECT_EQ(hex(plain.at(W - 3, y)), hex(row)) << y;
        EXPECT_EQ(hex(focused.at(2, y)), hex(0xFFFFFF)) << y;
        EXPECT_EQ(hex(focused.at(W - 3, y)), hex(0xFFFFFF)) << y;
        EXPECT_EQ(hex(focused.at(3, y)), hex(row)) << y;
    }
    // The side lines stop above the inner frame's bottom row.
    EXPECT_EQ(hex(focused.at(2, H - 3)), hex(0xE7AE8C));
}

} // namespace
