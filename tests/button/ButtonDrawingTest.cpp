#include "ButtonTestSupport.h"
#include "tests/support/ButtonProbe.h"

#include "controls/button/ButtonOutline.h"
#include "controls/button/ButtonStyles.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ButtonDrawing, RedrawsOnlyWhenForcedOrTheStateChanged)
{
    RecordingButton button;
    button.InitProperties();
    button.Redraw(Button::StateDown, VbTrue); // H is 0: nothing, cache untouched
    EXPECT_EQ(button.lastState(), Button::StateUp);
    sizeButton(button, 75, 23);
    button.Redraw(Button::StateUp, VbFalse);
    button.Redraw(Button::StateUp, 1); // any non-zero force
    button.Redraw(Button::StateDown, VbFalse);
    button.Redraw(Button::StateDown, VbFalse);
    EXPECT_EQ(button.redrawCount(), 3);
    EXPECT_EQ(button.calls.back().look, ButtonLook::Pressed);
    EXPECT_EQ(button.calls.back().textColor, ButtonProbe::palette(button).textColor);
    button.Redraw(1, VbFalse); // another state is remembered and shows the face only
    EXPECT_EQ(button.lastState(), 1);
    EXPECT_EQ(button.calls.size(), 3u);

    // A zero width still draws and updates the cache; the surface keeps its height.
    QWidget window; // a window of its own could not be narrower than 1 pixel
    RecordingButton narrow(&window);
    placeButton(narrow, 0, 23);
    narrow.Redraw(Button::StateDown, VbFalse);
    EXPECT_EQ(narrow.redrawCount(), 2);
}

TEST(ButtonDrawing, DisabledLookIgnoresTheStateAndTheTextColour)
{
    RecordingButton button;
    placeButton(button);
    button.setCaption(QStringLiteral("&Buscar"));
    button.setButtonEnabled(VbFalse);
    QImage looks[2];
    for (quint8 state : {0, 2}) {
        button.surface().setTextColor(0x00ABCDEF);
        button.Redraw(state, VbTrue);
        looks[state / 2] = button.surface().image();
        EXPECT_EQ(button.calls.back().look, ButtonLook::Disabled);
        EXPECT_EQ(button.calls.back().textColor, 0x00ABCDEFu);
    }
    EXPECT_EQ(looks[0], looks[1]);

    for (qint32 type : {0, 8, -3}) { // outside the styles: a plain face
        button.setButtonEnabled(VbTrue);
        button.setButtonType(type);
        QImage face(75, 23, QImage::Format_RGB32);
        face.fill(toQRgb(ButtonProbe::palette(button).faceColor));
        EXPECT_EQ(button.surface().image(), face) << type;
    }
}

TEST(ButtonDrawing, FocusCueNeedsTheFocusAndShowFocusRect)
{
    QWidget window;
    auto *button = new RecordingButton(&window);
    button->InitProperties();
    button->resize(75, 23);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button->setFocus();
    EXPECT_TRUE(button->calls.back().focused);
    button->HandleMouseDown(1, 0, 1, 1);
    button->setShowFocusRect(VbFalse);
    EXPECT_FALSE(button->calls.back().focused);
    EXPECT_TRUE(ButtonProbe::hasFocus(*button)); // put back after the redraw
    button->setShowFocusRect(VbTrue);
    EXPECT_TRUE(button->calls.back().focused);
    button->clearFocus();
    EXPECT_FALSE(button->calls.back().focused);
    EXPECT_EQ(button->lastState(), Button::StateDown); // focus and ambient redraws keep it

    const int before = button->redrawCount();
    button->setDisplayAsDefault(true);
    button->setDisplayAsDefault(true); // no change, no notification
    EXPECT_EQ(button->redrawCount(), before + 1);
    EXPECT_TRUE(button->calls.back().displayAsDefault);
}

QList<QPoint> missingPixels(const QRegion &region, int w, int h)
{
    QList<QPoint> missing;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!region.contains(QPoint(x, y)))
                missing.append(QPoint(x, y));
    return missing;
}

TEST(ButtonDrawing, EachStyleCutsItsCorners)
{
    EXPECT_EQ(regionFromCorners(75, 0, 74, 1), QRegion(74, 0, 1, 1)); // corners in any order
    using Points = QList<QPoint>;
    EXPECT_EQ(missingPixels(buttonOutline(Beveled, 75, 23), 75, 23),
              (Points{{0, 0}, {74, 0}, {0, 22}, {74, 22}}));
    const Points rounded{{0, 0},  {1, 0},   {73, 0}, {74, 0}, {0, 1},   {74, 1},
                         {0, 21}, {74, 21}, {0, 22}, {1, 22}, {73, 22}, {74, 22}};
    EXPECT_EQ(missingPixels(buttonOutline(Rounded, 75, 23), 75, 23), rounded);
    EXPECT_EQ(missingPixels(buttonOutline(Gradient, 75, 23), 75, 23), rounded);
    EXPECT_EQ(missingPixels(buttonOutline(Etched, 75, 23), 75, 23), (Points{{74, 0}, {0, 22}}));
    for (qint32 full : {0, 2, 6, 7, 8, -1})
        EXPECT_EQ(buttonOutline(full, 75, 23), QRegion(0, 0, 75, 23)) << full;
    // Cuts outside a small rectangle, or on pixels already gone, remove nothing more.
    EXPECT_TRUE(buttonOutline(Beveled, 2, 2).isEmpty());
    EXPECT_EQ(buttonOutline(Etched, 1, 5), QRegion(0, 1, 1, 3));
    EXPECT_EQ(buttonOutline(Rounded, 3, 3), QRegion(1, 1, 1, 1));
}

TEST(ButtonDrawing, ResizeAppliesTheOutlineOfTheCurrentStyle)
{
    Button button;
    placeButton(button, 40, 20);
    EXPECT_EQ(ButtonProbe::pressedTextRect(button), (WinRect{2, 2, 40, 20}));
    EXPECT_EQ(ButtonProbe::focusRect(button), (WinRect{3, 3, 37, 17}));
    button.setButtonType(Rounded); // the corners follow only at the next resize
    EXPECT_EQ(button.windowRegion(), QRegion(0, 0, 40, 20));
    sizeButton(button, 40, 20);
    EXPECT_EQ(button.windowRegion(), buttonOutline(Rounded, 40, 20));
    const QImage shown = button.renderedImage();
    EXPECT_EQ(qAlpha(shown.pixel(1, 0)), 0);
    EXPECT_EQ(qAlpha(shown.pixel(1, 1)), 255);
    button.setButtonType(Beveled);
    sizeButton(button, 2, 2);
    EXPECT_TRUE(button.testAttribute(Qt::WA_TransparentForMouseEvents));
}

} // namespace
