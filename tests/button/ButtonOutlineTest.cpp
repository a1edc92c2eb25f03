#include "ButtonTestSupport.h"

#include "controls/button/ButtonOutline.h"
#include "controls/button/ButtonStyles.h"

#include <gtest/gtest.h>

namespace {

QList<QPoint> missingPixels(const QRegion &region, int w, int h)
{
    QList<QPoint> missing;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!region.contains(QPoint(x, y)))
                missing.append(QPoint(x, y));
    return missing;
}

TEST(ButtonOutline, CornersMayComeInEitherOrder)
{
    const QRegion pixel(QRect(74, 0, 1, 1));
    EXPECT_EQ(regionFromCorners(75, 0, 74, 1), pixel);
    EXPECT_EQ(regionFromCorners(74, 1, 75, 0), pixel);
    EXPECT_TRUE(regionFromCorners(3, 0, 3, 5).isEmpty());
}

TEST(ButtonOutline, EachStyleCutsItsCorners)
{
    const int w = 75, h = 23;
    using Points = QList<QPoint>;
    EXPECT_EQ(missingPixels(buttonOutline(Beveled, w, h), w, h),
              (Points{{0, 0}, {74, 0}, {0, 22}, {74, 22}}));
    const Points rounded{{0, 0},  {1, 0},   {73, 0}, {74, 0}, {0, 1},   {74, 1},
                         {0, 21}, {74, 21}, {0, 22}, {1, 22}, {73, 22}, {74, 22}};
    EXPECT_EQ(missingPixels(buttonOutline(Rounded, w, h), w, h), rounded);
    EXPECT_EQ(missingPixels(buttonOutline(Gradient, w, h), w, h), rounded);
    EXPECT_EQ(missingPixels(buttonOutline(Etched, w, h), w, h), (Points{{74, 0}, {0, 22}}));
    for (qint32 full : {0, 2, 6, 7, 8, -1})
        EXPECT_EQ(buttonOutline(full, w, h), QRegion(0, 0, w, h)) << full;
}

TEST(ButtonOutline, SmallAndEmptySizes)
{
    EXPECT_TRUE(buttonOutline(Beveled, 2, 2).isEmpty());
    EXPECT_EQ(buttonOutline(Etched, 1, 5), QRegion(0, 1, 1, 3)); // only its middle rows
    EXPECT_EQ(pixelCount(buttonOutline(Rounded, 3, 3)), 1);
    for (qint32 type : {1, 2, 4, 5}) {
        EXPECT_TRUE(buttonOutline(type, 0, 23).isEmpty());
        EXPECT_TRUE(buttonOutline(type, 75, 0).isEmpty());
    }
}

TEST(ButtonOutline, ResizeAppliesTheOutlineOfTheCurrentStyleOnly)
{
    Button button;
    placeButton(button, 40, 20);
    EXPECT_EQ(button.cachedWidth(), 40);
    EXPECT_EQ(button.cachedHeight(), 20);
    EXPECT_EQ(button.textRect(), (WinRect{0, 0, 40, 20}));
    EXPECT_EQ(button.pressedTextRect(), (WinRect{2, 2, 40, 20}));
    EXPECT_EQ(button.focusRect(), (WinRect{3, 3, 37, 17}));
    EXPECT_EQ(button.windowRegion(), QRegion(0, 0, 40, 20));

    button.setButtonType(Rounded); // the corners follow only at the next resize
    EXPECT_EQ(button.windowRegion(), QRegion(0, 0, 40, 20));
    EXPECT_EQ(button.renderedImage().pixel(0, 0) >> 24, 255u);
    sizeButton(button, 40, 20);
    EXPECT_EQ(button.outlineRegion(), buttonOutline(Rounded, 40, 20));
    EXPECT_EQ(button.windowRegion(), button.outlineRegion());
    const QImage shown = button.renderedImage();
    EXPECT_EQ(shown.pixel(1, 0) >> 24, 0u);
    EXPECT_EQ(shown.pixel(1, 1) >> 24, 255u);
    EXPECT_FALSE(button.containsPixel(0, 1));

    sizeButton(button, 2, 2);
    button.setButtonType(Beveled);
    sizeButton(button, 2, 2);
    EXPECT_TRUE(button.windowRegion().isEmpty());
    EXPECT_TRUE(button.testAttribute(Qt::WA_TransparentForMouseEvents));
}

} // namespace
