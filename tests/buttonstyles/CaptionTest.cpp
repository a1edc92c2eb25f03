// Where and in which colour each style draws its caption: up in TextRect, pressed one pixel
// right and down (except Etched), disabled embossed or flat.

#include "StyleCanvas.h"

#include <gtest/gtest.h>

namespace {

const QString caption = QStringLiteral("Buscar");

class Captions : public ::testing::Test
{
protected:
    StyleCanvas canvas{120, 50, caption};
    const ButtonPalette c = distinctPalette();

    QRect inkOf(ColorRef color) const { return canvas.boundsOf(color, canvas.interior()); }
};

TEST_F(Captions, PressedCaptionMovesOnePixelRightAndDown)
{
    for (qint32 type : {Beveled, Classic, Gradient, ThickEdge, ThinEdge}) {
        canvas.paint(type, ButtonLook::Up);
        const QRect up = inkOf(c.textColor);
        canvas.paint(type, ButtonLook::Pressed);
        const QRect pressed = inkOf(c.textColor);
        ASSERT_FALSE(up.isNull()) << type;
        EXPECT_EQ(pressed, up.translated(1, 1)) << type;
        // Centred in the 120 x 50 picture.
        EXPECT_NEAR(up.center().x(), 60, 2) << type;
        EXPECT_NEAR(up.center().y(), 25, 3) << type;
    }
}

TEST_F(Captions, RoundedPressedCaptionIsLightColourWhateverTheTextColour)
{
    canvas.paint(Rounded, ButtonLook::Up);
    const QRect up = inkOf(c.textColor);
    canvas.paint(Rounded, ButtonLook::Pressed);
    EXPECT_EQ(canvas.count(c.textColor), 0);
    ASSERT_FALSE(up.isNull());
    EXPECT_EQ(inkOf(c.lightColor), up.translated(1, 1));
}

TEST_F(Captions, EtchedPressedCaptionStaysInPlace)
{
    canvas.paint(Etched, ButtonLook::Up);
    const QRect up = inkOf(c.textColor);
    canvas.paint(Etched, ButtonLook::Pressed);
    ASSERT_FALSE(up.isNull());
    EXPECT_EQ(inkOf(c.textColor), up);
}

TEST_F(Captions, EmbossedDisabledCaptionHasLightCopyBelowRight)
{
    for (qint32 type : {Beveled, Classic, Gradient, Rounded, ThinEdge}) {
        canvas.paint(type, ButtonLook::Up);
        const QRect up = inkOf(c.textColor);
        canvas.paint(type, ButtonLook::Disabled);
        const QRect dark = inkOf(c.shadowColor);
        const QRect light = inkOf(c.highlightColor);
        EXPECT_EQ(dark, up) << type;
        ASSERT_FALSE(light.isNull()) << type;
        EXPECT_EQ(light.right(), dark.right() + 1) << type;
        EXPECT_EQ(light.bottom(), dark.bottom() + 1) << type;
        EXPECT_EQ(canvas.count(c.textColor), 0) << type;
        EXPECT_EQ(canvas.count(staleTextColor), 0) << type;
    }
}

TEST_F(Captions, FlatDisabledCaptionIsOneShadowCopy)
{
    for (qint32 type : {ThickEdge, Etched}) {
        canvas.paint(type, ButtonLook::Up);
        const QRect up = inkOf(c.textColor);
        canvas.paint(type, ButtonLook::Disabled);
        EXPECT_EQ(inkOf(c.shadowColor), up) << type;
        EXPECT_TRUE(inkOf(c.highlightColor).isNull()) << type;
        EXPECT_EQ(canvas.count(staleTextColor), 0) << type;
    }
}

TEST_F(Captions, OtherButtonTypesDrawOnlyThePlainFace)
{
    for (qint32 type : {0, 8, -1}) {
        for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
            canvas.state().focused = true;
            canvas.state().displayAsDefault = true;
            canvas.paint(type, look);
            EXPECT_EQ(canvas.count(c.faceColor), 120 * 50) << type << " look " << int(look);
        }
    }
}

} // namespace
