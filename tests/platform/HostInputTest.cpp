#include "platform/HostInput.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

HostInput::KeyArgs typed(const QString &text, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                         int key = Qt::Key_unknown)
{
    const QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
    return HostInput::keyArgs(event);
}

} // namespace

TEST(HostInput, TypedCharactersAreTheirWindows1252CodeOrAQuestionMark)
{
    EXPECT_EQ(typed(QStringLiteral("a")).keyAscii, 97);
    EXPECT_EQ(typed(QStringLiteral("\u00F1")).keyAscii, 241); // ñ, the same in Latin-1
    EXPECT_EQ(typed(QStringLiteral("\u20AC")).keyAscii, 128); // €, moved by the code page
    EXPECT_EQ(typed(QStringLiteral("\u0153")).keyAscii, 156); // œ
    EXPECT_EQ(typed(QStringLiteral("\u4E2D")).keyAscii, 63);  // 中: not in the code page
    EXPECT_EQ(typed(QStringLiteral("\u0081")).keyAscii, 63);  // a C1 control it lacks
    EXPECT_EQ(typed(QStringLiteral("\r"), {}, Qt::Key_Return).keyAscii, 13);
    EXPECT_EQ(typed({}, {}, Qt::Key_F5).keyAscii, 0);
}

TEST(HostInput, AltWithACharacterTypesNothingButAltGrDoes)
{
    const HostInput::KeyArgs alt = typed(QStringLiteral("s"), Qt::AltModifier, Qt::Key_S);
    EXPECT_EQ(alt.keyAscii, 0);
    EXPECT_EQ(alt.keyCode, 'S');
    EXPECT_EQ(alt.shift, HostInput::AltMask);
    const HostInput::KeyArgs altGr =
        typed(QStringLiteral("\u20AC"), Qt::AltModifier | Qt::ControlModifier, Qt::Key_E);
    EXPECT_EQ(altGr.keyAscii, 128);
    EXPECT_EQ(altGr.shift, HostInput::AltMask | HostInput::CtrlMask);
    // A release types nothing.
    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(HostInput::keyArgs(release).keyAscii, 0);
}

TEST(HostInput, MouseArgumentsNameTheChangedButtonOrForAMoveTheHeldOnes)
{
    const QPointF at(3.5, 7);
    const QMouseEvent press(QEvent::MouseButtonPress, at, at, Qt::RightButton,
                            Qt::LeftButton | Qt::RightButton, Qt::ShiftModifier);
    const HostInput::MouseArgs pressed = HostInput::mouseArgs(press);
    EXPECT_EQ(pressed.button, HostInput::RightButton);
    EXPECT_EQ(pressed.shift, HostInput::ShiftMask);
    EXPECT_FLOAT_EQ(pressed.x, 3.5f);
    EXPECT_FLOAT_EQ(pressed.y, 7.0f);

    const QMouseEvent move(QEvent::MouseMove, at, at, Qt::NoButton,
                           Qt::LeftButton | Qt::MiddleButton, Qt::NoModifier);
    const HostInput::MouseArgs moved = HostInput::mouseArgs(move, 15.0);
    EXPECT_EQ(moved.button, HostInput::LeftButton | HostInput::MiddleButton);
    EXPECT_FLOAT_EQ(moved.x, 52.5f); // in twips at 15 per pixel
    EXPECT_FLOAT_EQ(moved.y, 105.0f);

    const QMouseEvent back(QEvent::MouseButtonPress, at, at, Qt::BackButton, Qt::BackButton,
                           Qt::NoModifier);
    EXPECT_EQ(HostInput::mouseArgs(back).button, HostInput::NoButton);
}
