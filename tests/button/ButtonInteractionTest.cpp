#include "ButtonTestSupport.h"

#include "controls/button/AccessKey.h"
#include "controls/button/HostInput.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The events a button raised, with the look it had when each was raised.
struct EventLog
{
    QStringList events;
    QList<quint8> states;

    explicit EventLog(Button &b)
    {
        auto mouse = [this, &b](const char *name) {
            return [this, &b, name](qint16 &button, qint16 &shift, float &x, float &y) {
                add(b, QStringLiteral("%1(%2,%3,%4,%5)")
                           .arg(QLatin1String(name))
                           .arg(button)
                           .arg(shift)
                           .arg(x)
                           .arg(y));
            };
        };
        QObject::connect(&b, &Button::Click, [this, &b] { add(b, QStringLiteral("Click")); });
        QObject::connect(&b, &Button::MouseDown, mouse("MouseDown"));
        QObject::connect(&b, &Button::MouseUp, mouse("MouseUp"));
        QObject::connect(&b, &Button::KeyPress, [this, &b](qint16 &ascii) {
            add(b, QStringLiteral("KeyPress(%1)").arg(ascii));
        });
        QObject::connect(&b, &Button::KeyDown, [this, &b](qint16 &code, qint16 &shift) {
            add(b, QStringLiteral("KeyDown(%1,%2)").arg(code).arg(shift));
        });
        QObject::connect(&b, &Button::KeyUp, [this, &b](qint16 &code, qint16 &shift) {
            add(b, QStringLiteral("KeyUp(%1,%2)").arg(code).arg(shift));
        });
    }
    void add(Button &b, const QString &event)
    {
        events.append(event);
        states.append(b.lastState());
    }
    QStringList take()
    {
        states.clear();
        return std::exchange(events, {});
    }
};

void mouse(QWidget &w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at,
           Qt::KeyboardModifiers modifiers = {})
{
    QMouseEvent event(type, at, w.mapToGlobal(at), button, held, modifiers);
    QApplication::sendEvent(&w, &event);
}

void press(QWidget &w, Qt::MouseButton b, QPointF at, Qt::KeyboardModifiers m = {})
{
    mouse(w, QEvent::MouseButtonPress, b, b, at, m);
}
void release(QWidget &w, Qt::MouseButton b, QPointF at)
{
    mouse(w, QEvent::MouseButtonRelease, b, Qt::NoButton, at);
}
void move(QWidget &w, Qt::MouseButtons held, QPointF at)
{
    mouse(w, QEvent::MouseMove, Qt::NoButton, held, at);
}
void key(QWidget &w, QEvent::Type type, int k, const QString &text, bool repeat = false)
{
    QKeyEvent event(type, k, Qt::NoModifier, text, repeat);
    QApplication::sendEvent(&w, &event);
}

using L = QStringList;

TEST(ButtonInteraction, MouseButtonsAndTheirLooks)
{
    Button b;
    placeButton(b);
    EventLog log(b);
    press(b, Qt::LeftButton, {10, 5}, Qt::ShiftModifier | Qt::ControlModifier);
    EXPECT_EQ(b.lastState(), Button::StateDown);
    release(b, Qt::LeftButton, {10.5, 5});
    EXPECT_EQ(log.events, (L{"MouseDown(1,3,10,5)", "MouseUp(1,0,10.5,5)", "Click"}));
    EXPECT_EQ(log.states, (QList<quint8>{2, 0, 0}));
    log.take();

    const int redraws = b.redrawCount();
    press(b, Qt::RightButton, {3, 3});
    EXPECT_EQ(b.redrawCount(), redraws); // no change of look
    EXPECT_EQ(b.lastMouseButton(), 2);
    release(b, Qt::RightButton, {3, 3});
    EXPECT_EQ(log.take(), (L{"MouseDown(2,0,3,3)", "MouseUp(2,0,3,3)"}));
    b.HandleClick(); // a late Click notification
    EXPECT_TRUE(log.take().isEmpty());

    press(b, Qt::MiddleButton, {3, 3});
    EXPECT_EQ(b.lastState(), Button::StateDown);
    release(b, Qt::MiddleButton, {3, 3});
    EXPECT_EQ(log.take(), (L{"MouseDown(4,0,3,3)", "MouseUp(4,0,3,3)"}));
}

TEST(ButtonInteraction, DoubleClickPressesAgainWithoutASecondClick)
{
    Button b;
    placeButton(b);
    EventLog log(b);
    press(b, Qt::LeftButton, {10, 5});
    release(b, Qt::LeftButton, {10, 5});
    mouse(b, QEvent::MouseButtonDblClick, Qt::LeftButton, Qt::LeftButton, {10, 5});
    EXPECT_EQ(b.lastState(), Button::StateDown);
    release(b, Qt::LeftButton, {10, 5});
    EXPECT_EQ(log.take(), (L{"MouseDown(1,0,10,5)", "MouseUp(1,0,10,5)", "Click",
                             "MouseDown(1,1,1,1)", "MouseUp(1,0,10,5)"}));

    press(b, Qt::RightButton, {10, 5});
    release(b, Qt::RightButton, {10, 5});
    mouse(b, QEvent::MouseButtonDblClick, Qt::RightButton, Qt::RightButton, {10, 5});
    release(b, Qt::RightButton, {10, 5});
    EXPECT_EQ(log.take(), (L{"MouseDown(2,0,10,5)", "MouseUp(2,0,10,5)", "MouseUp(2,0,10,5)"}));
}

TEST(ButtonInteraction, DragOutAndBackFollowsThePointerAndClicksOnlyWhenReleasedInside)
{
    Button b;
    placeButton(b); // 75 x 23
    EventLog log(b);
    press(b, Qt::LeftButton, {10, 5});
    const int pressed = b.redrawCount();
    move(b, Qt::LeftButton, {-0.5, 5});
    EXPECT_EQ(b.lastState(), Button::StateUp);
    move(b, Qt::LeftButton, {-3, 5});
    EXPECT_EQ(b.redrawCount(), pressed + 1); // only the crossing draws
    move(b, Qt::LeftButton, {75, 23});       // the far edges count as inside
    EXPECT_EQ(b.lastState(), Button::StateDown);
    move(b, Qt::LeftButton, {75.5, 5});
    release(b, Qt::LeftButton, {80, 5});
    EXPECT_EQ(log.take(), (L{"MouseDown(1,0,10,5)", "MouseUp(1,0,80,5)"}));
    EXPECT_EQ(b.redrawCount(), pressed + 3);

    press(b, Qt::LeftButton, {10, 5});
    move(b, Qt::LeftButton, {10, -1});
    move(b, Qt::LeftButton, {12, 6});
    release(b, Qt::LeftButton, {12, 6});
    EXPECT_EQ(log.take().last(), QStringLiteral("Click"));
}

TEST(ButtonInteraction, MovesRedrawOnlyOnAChangeOfLook)
{
    Button b;
    placeButton(b);
    const int start = b.redrawCount();
    move(b, Qt::NoButton, {10, 5}); // inside, no button: nothing
    move(b, Qt::LeftButton, {10, 5});
    move(b, Qt::LeftButton, {11, 6});
    EXPECT_EQ(b.redrawCount(), start + 1);
    move(b, Qt::RightButton, {-5, -5}); // right or middle held: nothing
    move(b, Qt::LeftButton | Qt::MiddleButton, {-5, -5});
    EXPECT_EQ(b.lastState(), Button::StateDown);
    move(b, Qt::LeftButton, {-5, -5});
    move(b, Qt::LeftButton, {-6, -5});
    EXPECT_EQ(b.lastState(), Button::StateUp);
    EXPECT_EQ(b.redrawCount(), start + 2);
}

TEST(ButtonInteraction, SpaceBarPressesRepeatsAndClicksOnce)
{
    Button b;
    placeButton(b);
    b.HandleMouseDown(2, 0, 0, 0); // a right press does not stop the space bar's click
    EventLog log(b);
    key(b, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "));
    key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "), true);
    key(b, QEvent::KeyPress, Qt::Key_Space, QStringLiteral(" "), true);
    EXPECT_EQ(b.lastState(), Button::StateDown);
    key(b, QEvent::KeyRelease, Qt::Key_Space, QStringLiteral(" "));
    const L once{"MouseDown(1,1,1,1)", "KeyDown(32,0)", "KeyPress(32)"};
    EXPECT_EQ(log.events, (once + once + L{"MouseUp(1,1,1,1)", "Click", "KeyUp(32,0)"}));
    EXPECT_EQ(log.states.at(log.events.indexOf("Click")), Button::StateUp);
    EXPECT_EQ(b.lastMouseButton(), 1);
}

TEST(ButtonInteraction, ClickIsRefusedUnlessLeftButtonAndExactlyEnabled)
{
    Button b;
    placeButton(b);
    int clicks = 0;
    QObject::connect(&b, &Button::Click, [&] { ++clicks; });
    b.setButtonEnabled(1); // enables the window, but is not True
    b.HandleClick();
    b.setButtonEnabled(VbFalse);
    b.HandleClick();
    EXPECT_EQ(clicks, 0);
    b.setButtonEnabled(VbTrue);
    b.HandleMouseDown(4, 0, 1, 1);
    b.HandleClick();
    EXPECT_EQ(clicks, 0);
    b.HandleMouseDown(1, 0, 1, 1);
    b.HandleClick();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b.lastState(), Button::StateUp);
}

TEST(ButtonInteraction, ErrorsStopTheHandlerAndKeepWhatChanged)
{
    Button b;
    placeButton(b);
    EXPECT_THROW(b.HandleMouseDown(256, 0, 1, 1), OverflowError);
    EXPECT_EQ(b.lastMouseButton(), 1);
    QObject::connect(&b, &Button::MouseDown, [](qint16 &, qint16 &, float &, float &) {
        throw Error(QStringLiteral("fallo del manejador"));
    });
    EXPECT_THROW(b.HandleMouseDown(4, 0, 1, 1), Error);
    EXPECT_EQ(b.lastMouseButton(), 4);
    EXPECT_EQ(b.lastState(), Button::StateDown);
    // Through the toolkit the error is reported, not thrown into the event loop.
    press(b, Qt::LeftButton, {1, 1});
    EXPECT_EQ(b.lastMouseButton(), 1);
}

TEST(ButtonInteraction, AccessKeyFromCaption)
{
    const std::pair<const char *, const char *> cases[] = {
        {"&Save", "s"},    {"A&&B&C", "c"}, {"Tom && Jerry", ""},
        {"A&&B&&C&D", ""}, {"&&&x", "x"},   {"Save&", ""},
        {"S", ""},         {"&", ""},       {"Buscar", ""},
        {"&1", "1"},       {"a& b", " "},   {"&&", ""},
        {"&&x&", ""},      {"&Ñu", "ñ"},
    };
    for (const auto &[caption, key] : cases)
        EXPECT_EQ(accessKeyOf(QString::fromUtf8(caption)), QString::fromUtf8(key)) << caption;
}

TEST(ButtonInteraction, AccessKeyClicksThroughTheWindow)
{
    QWidget window;
    auto *b = new Button(&window);
    auto *edit = new QLineEdit(&window);
    b->InitProperties();
    b->setGeometry(0, 0, 75, 23);
    edit->setGeometry(0, 30, 75, 23);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    b->setCaption(QStringLiteral("&Salir"));
    int clicks = 0;
    QObject::connect(b, &Button::Click, [&] { ++clicks; });
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
    b->HandleMouseDown(2, 0, 1, 1); // after a right press the access key does nothing
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonInteraction, ArrowKeysMoveTheFocusButTabIsLeftToTheWindow)
{
    QWidget window;
    Button *buttons[2] = {new Button(&window), new Button(&window)};
    for (int i = 0; i < 2; ++i) {
        buttons[i]->InitProperties();
        buttons[i]->setGeometry(0, 30 * i, 75, 23);
    }
    window.show();
    QApplication::setActiveWindow(&window);
    buttons[0]->setFocus();
    QStringList seen;
    QObject::connect(buttons[0], &Button::KeyDown, [&](qint16 &code, qint16 &) {
        seen.append(QStringLiteral("%1:%2").arg(code).arg(int(buttons[1]->hasFocus())));
    });
    for (const auto &[forward, back] :
         {std::pair{Qt::Key_Right, Qt::Key_Left}, std::pair{Qt::Key_Down, Qt::Key_Up}}) {
        QTest::keyClick(buttons[0], forward);
        EXPECT_EQ(QApplication::focusWidget(), buttons[1]);
        QTest::keyClick(buttons[1], back);
        EXPECT_EQ(QApplication::focusWidget(), buttons[0]);
    }
    // Raised after the focus has moved on.
    EXPECT_EQ(seen, (L{"39:1", "40:1"}));
    QTest::keyClick(buttons[0], Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), buttons[1]);
    EXPECT_EQ(seen.size(), 2);
}

TEST(ButtonInteraction, HostInputCodes)
{
    using namespace HostInput;
    EXPECT_EQ(mouseButtons(Qt::LeftButton | Qt::MiddleButton), 5);
    EXPECT_EQ(mouseButtons(Qt::RightButton | Qt::BackButton), 2);
    EXPECT_EQ(shiftState(Qt::AltModifier | Qt::ShiftModifier | Qt::KeypadModifier), 5);
    const std::pair<int, int> keys[] = {
        {Qt::Key_Space, 32},  {Qt::Key_Left, 37},   {Qt::Key_Up, 38},  {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},   {Qt::Key_A, 65},      {Qt::Key_Z, 90},   {Qt::Key_0, 48},
        {Qt::Key_Return, 13}, {Qt::Key_Escape, 27}, {Qt::Key_F1, 112}, {Qt::Key_Colon, 186},
        {Qt::Key_Exclam, 49}, {Qt::Key_unknown, 0},
    };
    for (const auto &[qtKey, code] : keys)
        EXPECT_EQ(keyCode(qtKey, {}), code) << qtKey;
    EXPECT_EQ(keyCode(Qt::Key_5, Qt::KeypadModifier), 101);
    EXPECT_EQ(keyAscii(QStringLiteral("ñ")), 241);
    EXPECT_EQ(keyAscii(QStringLiteral("€")), '?');
    EXPECT_EQ(keyAscii(QString()), 0);
}

} // namespace
