#include "ButtonTestSupport.h"

#include "controls/button/ButtonStyles.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

TEST(ButtonRedraw, DrawsOnlyWhenForcedOrWhenStateOrCaptionChanged)
{
    RecordingButton button;
    button.InitProperties();
    button.Redraw(Button::StateDown, VbTrue); // H is 0: nothing, cache untouched
    EXPECT_EQ(button.redrawCount(), 0);
    EXPECT_EQ(button.lastState(), Button::StateUp);

    sizeButton(button, 75, 23);
    EXPECT_EQ(button.redrawCount(), 1);
    button.Redraw(Button::StateUp, VbFalse);
    EXPECT_EQ(button.redrawCount(), 1);
    button.Redraw(Button::StateUp, 1); // any non-zero force
    EXPECT_EQ(button.redrawCount(), 2);
    button.Redraw(Button::StateDown, VbFalse);
    EXPECT_EQ(button.redrawCount(), 3);
    EXPECT_EQ(button.calls.back().look, ButtonLook::Pressed);

    button.setCaption(QStringLiteral("a"));
    EXPECT_EQ(button.redrawCount(), 4);
    EXPECT_EQ(button.lastCaption(), QStringLiteral("a"));
    EXPECT_EQ(button.lastState(), Button::StateUp);

    // Another state value is remembered and draws the face only.
    const size_t styleCalls = button.calls.size();
    button.Redraw(1, VbFalse);
    EXPECT_EQ(button.lastState(), 1);
    EXPECT_EQ(button.calls.size(), styleCalls);
    EXPECT_EQ(button.surface().pixel(10, 10), button.buttonPalette().faceColor);
}

TEST(ButtonRedraw, ZeroWidthStillUpdatesTheCache)
{
    Surface surface;
    surface.resize(0, 5); // an empty picture that still knows its height
    EXPECT_EQ(surface.height(), 5);
    surface.fillRect({-1, -1, 3, 3}, 0x00FF0000);
    surface.line(0, 0, 0, 5, 0);

    QWidget window; // a window of its own could not be narrower than 1 pixel
    Button button(&window);
    placeButton(button, 0, 23);
    ASSERT_EQ(button.cachedWidth(), 0);
    ASSERT_EQ(button.cachedHeight(), 23);
    EXPECT_EQ(button.redrawCount(), 1);
    button.Redraw(Button::StateDown, VbFalse);
    EXPECT_EQ(button.lastState(), Button::StateDown);
}

TEST(ButtonRedraw, EnabledLooksNeedExactlyTrue)
{
    RecordingButton button;
    placeButton(button);
    button.setColorScheme(3);
    button.calls.clear();
    button.Redraw(Button::StateUp, VbTrue);
    button.Redraw(Button::StateDown, VbTrue);
    ASSERT_EQ(button.calls.size(), 2u);
    EXPECT_EQ(button.calls[0].look, ButtonLook::Up);
    EXPECT_EQ(button.calls[1].look, ButtonLook::Pressed);
    EXPECT_EQ(button.calls[0].textColor, button.buttonPalette().textColor);
    EXPECT_EQ(button.calls[0].pressedTextRect, (WinRect{2, 2, 75, 23}));

    // Disabled: the text colour is left to the style, and the state makes no difference.
    button.setCaption(QStringLiteral("&Buscar"));
    button.setButtonEnabled(1);
    button.surface().setTextColor(0x00ABCDEF);
    button.calls.clear();
    button.Redraw(Button::StateUp, VbTrue);
    const QImage up = button.surface().image();
    button.surface().setTextColor(0x00ABCDEF);
    button.Redraw(Button::StateDown, VbTrue);
    EXPECT_EQ(button.calls[0].look, ButtonLook::Disabled);
    EXPECT_EQ(button.calls[1].look, ButtonLook::Disabled);
    EXPECT_EQ(button.calls[0].textColor, 0x00ABCDEFu);
    EXPECT_EQ(button.surface().image(), up);
}

TEST(ButtonRedraw, StylesOutsideTheRangeShowAPlainFace)
{
    for (qint32 type : {0, 8, -3}) {
        Button button;
        placeButton(button);
        button.setCaption(QStringLiteral("Texto"));
        button.setButtonType(type);
        const QImage image = button.surface().image();
        const QRgb face = toQRgb(button.buttonPalette().faceColor);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ASSERT_EQ(image.pixel(x, y), face) << type << " at " << x << "," << y;
    }
}

TEST(ButtonRedraw, FocusCueNeedsTheFocusAndShowFocusRect)
{
    QWidget window;
    auto *button = new RecordingButton;
    button->setParent(&window);
    button->InitProperties();
    button->setGeometry(0, 0, 75, 23);
    window.show();
    QApplication::setActiveWindow(&window);
    button->setFocus();
    ASSERT_EQ(button->hasFocusFlag(), VbTrue);
    EXPECT_TRUE(button->calls.back().focused);

    button->HandleMouseDown(1, 0, 1, 1);
    button->setShowFocusRect(VbFalse);
    EXPECT_FALSE(button->calls.back().focused);
    EXPECT_EQ(button->calls.back().look, ButtonLook::Pressed);
    EXPECT_EQ(button->hasFocusFlag(), VbTrue); // put back after the redraw
    button->setShowFocusRect(VbTrue);
    EXPECT_TRUE(button->calls.back().focused);

    button->clearFocus();
    EXPECT_EQ(button->hasFocusFlag(), VbFalse);
    EXPECT_FALSE(button->calls.back().focused);
    EXPECT_EQ(button->lastState(), Button::StateDown); // focus redraws keep the state
}

TEST(ButtonRedraw, AmbientDefaultChangeRedrawsInTheLastState)
{
    RecordingButton button;
    placeButton(button);
    button.HandleMouseDown(1, 0, 1, 1);
    const int before = button.redrawCount();
    button.setDisplayAsDefault(true);
    EXPECT_EQ(button.redrawCount(), before + 1);
    EXPECT_TRUE(button.calls.back().displayAsDefault);
    EXPECT_EQ(button.calls.back().look, ButtonLook::Pressed);
    button.setDisplayAsDefault(true); // no change, no notification
    EXPECT_EQ(button.redrawCount(), before + 1);
}

} // namespace
