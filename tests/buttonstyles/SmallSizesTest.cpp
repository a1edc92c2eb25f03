// Buttons a few pixels wide or high, or of no size at all: every style and look must draw
// within the picture without failing.

#include "StyleCanvas.h"

#include <gtest/gtest.h>

namespace {

TEST(SmallSizes, EveryStyleAndLookDrawsWithoutFailing)
{
    for (int w = 0; w <= 5; ++w) {
        for (int h = 0; h <= 5; ++h) {
            for (qint32 type = 0; type <= 8; ++type) {
                for (ButtonLook look :
                     {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
                    StyleCanvas canvas(w, h, QStringLiteral("&Buscar"));
                    canvas.state().focused = true;
                    canvas.state().displayAsDefault = true;
                    EXPECT_NO_THROW(canvas.paint(type, look))
                        << w << "x" << h << " type " << type << " look " << int(look);
                    // Drawing never resizes the picture (an empty one stays empty).
                    if (w > 0 && h > 0) {
                        EXPECT_EQ(canvas.surface().image().size(), QSize(w, h));
                    }
                }
            }
        }
    }
}

TEST(SmallSizes, PictureLargerThanTheButtonIsOnlyDrawnWithinTheButton)
{
    // A surface wider and higher than W x H: every primitive must stay inside the button's
    // own W x H, whatever the look, so the rest keeps the back colour. The caption fits, as
    // Etched's caption box follows the caption and may leave a button narrower than it.
    for (qint32 type = 1; type <= 7; ++type) {
        for (ButtonLook look : {ButtonLook::Up, ButtonLook::Pressed, ButtonLook::Disabled}) {
            StyleCanvas canvas(40, 20, QStringLiteral("Ok"));
            canvas.surface().resize(50, 30);
            canvas.state().focused = true;
            canvas.paint(type, look);
            for (int y = 0; y < 30; ++y)
                for (int x = 0; x < 50; ++x)
                    // Gradient's shading loop runs to row H inclusive, a row that is
                    // normally just below the picture.
                    if ((x >= 40 || y >= 20) && !(type == Gradient && y == 20 && x < 40)) {
                        ASSERT_EQ(hex(canvas.at(x, y)), hex(canvas.surface().backColor()))
                            << "type " << type << " look " << int(look) << " at " << x << "," << y;
                    }
        }
    }
}

} // namespace
