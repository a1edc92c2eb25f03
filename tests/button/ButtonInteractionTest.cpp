#include "ButtonTestSupport.h"
#include "tests/support/ButtonProbe.h"

#include "controls/button/AccessKey.h"
#include "controls/button/DefaultButtonTracker.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using L = QStringList;

// The events a button raised, each with the look it had as it was raised.
struct EventLog
{
    QStringList events;
    template <typename... Args> auto logger(const char *name)
    {
        return [this, name](Args &...args) {
            const QStringList text{QString::number(double(args))...};
            events.append(
                QStringLiteral("%1(%2)/%3").arg(name, text.join(',')).arg(button.lastState()));
        };
    }
    explicit EventLog(Button &b) : button(b)
    {
        QObject::connect(&b, &Button::Click, logger<>("Click"));
        QObject::connect(&b, &Button::MouseDown, logger<qint16, qint16, float, float>("MouseDown"));
        QObject::connect(&b, &Button::MouseUp, logger<qint16, qint16, float, float>("MouseUp"));
        QObject::connect(&b, &Button::KeyDown, logger<qint16, qint16>("KeyDown"));
        QObject::connect(&b, &Button::KeyUp, logger<qint16, qint16>("KeyUp"));
        QObject::connect(&b, &Button::KeyPress, logger<qint16>("KeyPress"));
    }
    QStringList take() { return std::exchange(events, {}); }
    Button &button;
};

// Mouse input at fractional positions, with the buttons held after the event.
void mouse(QWidget &w, QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons held, QPointF at)
{
    QMouseEvent event(type, at, w.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}
void move(QWidget &w, Qt::MouseButtons held, QPointF at)
{
    mouse(w, QEvent::MouseMove, Qt::NoButton, held, at);
}

TEST(ButtonInteraction, ClicksOfEachMouseButton)
{
    RecordingButton b;
    placeButton(b);
    EventLog log(b);
    QTest::mousePress(&b, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier, {10, 5});
    mouse(b, QEvent::MouseButtonRelease, Qt::LeftButton, {}, {10.5, 5});
    EXPECT_EQ(log.take(), (L{"MouseDown(1,3,10,5)/2", "MouseUp(1,0,10.5,5)/0", "Click()/0"}));

    const int redraws = b.redrawCount();
    QTest::mouseClick(&b, Qt::RightButton, {}, {3, 3});
    b.HandleClick(); // a Click notification after a right click raises nothing
    EXPECT_EQ(b.redrawCount(), redraws);
    QTest::mouseClick(&b, Qt::MiddleButton, {}, {3, 3});
    EXPECT_EQ(log.take(), (L{"MouseDown(2,0,3,3)/0", "MouseUp(2,0,3,3)/0", "MouseDown(4,0,3,3)/2",
                             "MouseUp(4,0,3,3)/0"}));

    // The second press of a double click: pressed look, fixed arguments, no second Click.
    for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
        QTest::mouseClick(&b, button, {}, {10, 5});
        QTest::mouseDClick(&b, button, {}, {10, 5});
        QTest::mouseRelease(&b, button, {}, {10, 5});
    }
    EXPECT_EQ(log.take(), (L{"MouseDown(1,0,10,5)/2", "MouseUp(1,0,10,5)/0", "Click()/0",
                             "MouseDown(1,1,1,1)/2", "MouseUp(1,0,10,5)/0", "MouseDown(2,0,10,5)/0",
                             "MouseUp(2,0,10,5)/0", "MouseUp(2,0,10,5)/0"}));
}

TEST(ButtonInteraction, DraggingRedrawsOnlyWhenThePointerCrossesTheEdge)
{
    RecordingButton b;
    placeButton(b); // 75 x 23
    EventLog log(b);
    const int start = b.redrawCount();
    move(b, Qt::NoButton, {10, 5});
    move(b, Qt::RightButton, {-10, 5});
    EXPECT_EQ(b.redrawCount(), start);
    QTest::mousePress(&b, Qt::LeftButton, {}, {10, 5});
    move(b, Qt::LeftButton, {11, 6});
    move(b, Qt::LeftButton, {-0.5, 5});
    move(b, Qt::LeftButton, {-3, 5});
    EXPECT_EQ(b.lastState(), Button::StateUp);
    move(b, Qt::LeftButton | Qt::MiddleButton, {10, 5}); // another button held: ignored
    move(b, Qt::LeftButton, {75, 23});                   // the far edges are inside
    EXPECT_EQ(b.lastState(), Button::StateDown);
    EXPECT_EQ(b.redrawCount(), start + 3);
    move(b, Qt::LeftButton, {75.5, 5});
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {80, 5}); // released outside: no Click
    QTest::mousePress(&b, Qt::LeftButton, {}, {10, 5});
    move(b, Qt::LeftButton, {10, -1});
    QTest::mouseRelease(&b, Qt::LeftButton, {}, {12, 6}); // back inside
    EXPECT_EQ(log.take(), (L{"MouseDown(1,0,10,5)/2", "MouseUp(1,0,80,5)/0",
                             "MouseDown(1,0,10,5)/2", "MouseUp(1,0,12,6)/0", "Click()/0"}));
}

TEST(ButtonInteraction, SpaceBarRepeatsItsPressAndClicksOnce)
{
    Button b;
    placeButton(b);
    EventLog log(b);
    QTest::keyPress(&b, Qt::Key_Space);
    QTest::simulateEvent(&b, false, Qt::Key_Space, {}, QStringLiteral(" "), true);
    QTest::simulateEvent(&b, true, Qt::Key_Space, {}, QStringLiteral(" "), true);
    b.HandleMouseDown(2, 0, 0, 0); // the release makes the left button the last one again
    QTest::keyRelease(&b, Qt::Key_Space);
    const L once{"MouseDown(1,1,1,1)/2", "KeyDown(32,0)/2", "KeyPress(32)/2"};
    EXPECT_EQ(log.take(),
              (once + once +
               L{"MouseDown(2,0,0,0)/2", "MouseUp(1,1,1,1)/0", "Click()/0", "KeyUp(32,0)/0"}));
}

TEST(ButtonInteraction, ClickNeedsTheLeftButtonAndExactlyTrue)
{
    Button b;
    placeButton(b);
    EventLog log(b);
    b.setButtonEnabled(1);
    b.HandleClick();
    b.setButtonEnabled(VbTrue);
    b.HandleMouseDown(4, 0, 1, 1);
    b.HandleClick();
    EXPECT_EQ(log.take(), (L{"MouseDown(4,0,1,1)/2"}));

    // Errors stop the handler; what changed before them stays.
    EXPECT_THROW(b.HandleMouseDown(256, 0, 1, 1), OverflowError);
    EXPECT_EQ(ButtonProbe::lastMouseButton(b), 4);
    QObject::connect(&b, &Button::MouseDown, [](qint16 &, qint16 &, float &, float &) {
        throw Error(QStringLiteral("fallo del manejador"));
    });
    EXPECT_THROW(b.HandleMouseDown(1, 0, 1, 1), Error);
    EXPECT_EQ(ButtonProbe::lastMouseButton(b), 1);

    // From a real event the error cannot travel on: it is reported under the control's name
    // and the notification, and the button keeps working.
    static QStringList reports;
    reports.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg)
                reports.append(text);
        });
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(5, 5));
    b.setObjectName(QStringLiteral("Command1"));
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(5, 5));
    qInstallMessageHandler(previous);
    EXPECT_EQ(reports, QStringList({QStringLiteral("Button (MouseDown): fallo del manejador"),
                                    QStringLiteral("Command1 (MouseDown): fallo del manejador")}));
}

TEST(ButtonInteraction, AccessKeys)
{
    const std::pair<const char *, const char *> cases[] = {
        {"&Save", "s"}, {"A&&B&C", "c"}, {"Tom && Jerry", ""}, {"A&&B&&C&D", ""}, {"&&&x", "x"},
        {"Save&", ""},  {"S", ""},       {"Buscar", ""},       {"&1", "1"},       {"a& b", " "},
        {"&&x&", ""},   {"&Ñu", "ñ"},
    };
    for (const auto &[caption, key] : cases)
        EXPECT_EQ(accessKeyOf(QString::fromUtf8(caption)), QString::fromUtf8(key)) << caption;

    QWidget window;
    auto *b = new Button(&window);
    auto *edit = new QLineEdit(&window);
    b->InitProperties();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    b->setCaption(QStringLiteral("&Salir"));
    int clicks = 0;
    QObject::connect(b, &Button::Click, [&] { ++clicks; });
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    b->HandleMouseDown(2, 0, 1, 1); // after a right press the access key does nothing
    QTest::keyClick(edit, Qt::Key_S, Qt::AltModifier);
    EXPECT_EQ(clicks, 1);
}

TEST(ButtonInteraction, ArrowKeysMoveTheFocusButTabIsLeftToTheWindow)
{
    QWidget window;
    Button *first = new Button(&window), *second = new Button(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    first->setFocus();
    QStringList seen; // key code, and whether the focus had already moved on
    QObject::connect(first, &Button::KeyDown, [&](qint16 &code, qint16 &) {
        seen.append(QStringLiteral("%1:%2").arg(code).arg(int(second->hasFocus())));
    });
    for (const auto &[forward, back] :
         {std::pair{Qt::Key_Right, Qt::Key_Left}, std::pair{Qt::Key_Down, Qt::Key_Up}}) {
        QTest::keyClick(first, forward);
        EXPECT_EQ(QApplication::focusWidget(), second);
        QTest::keyClick(second, back);
        EXPECT_EQ(QApplication::focusWidget(), first);
    }
    QTest::keyClick(first, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), second);
    EXPECT_EQ(seen, (L{"39:1", "40:1"}));
}

TEST(ButtonInteraction, DefaultButtonIsTheFocusedOneElseTheChosenOne)
{
    QWidget window;
    auto *search = new RecordingButton(&window);
    auto *remove = new Button(&window);
    auto *edit = new QLineEdit(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    DefaultButtonTracker tracker(&window);
    edit->setFocus();
    EXPECT_EQ(tracker.currentDefault(), nullptr);
    tracker.setChosenDefault(search);
    EXPECT_TRUE(search->displayAsDefault());
    const int searchRedraws = search->redrawCount();
    remove->setFocus();
    EXPECT_TRUE(remove->displayAsDefault());
    EXPECT_FALSE(search->displayAsDefault());
    EXPECT_EQ(search->redrawCount(), searchRedraws + 1); // its AmbientChanged
    edit->setFocus();
    EXPECT_EQ(tracker.currentDefault(), search);
    EXPECT_FALSE(remove->displayAsDefault());
    delete search;
    tracker.refresh();
    EXPECT_EQ(tracker.currentDefault(), nullptr);
}

} // namespace

TEST(ButtonInteraction, TypedCharactersReachKeyPressAsTheirCodePageCode)
{
    Button b;
    placeButton(b);
    QList<qint16> typed;
    QObject::connect(&b, &Button::KeyPress, [&](qint16 &ascii) { typed.append(ascii); });
    for (const char16_t ch : {u'a', u'\u00F1', u'\u20AC', u'\u4E2D'}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(ch)));
        QCoreApplication::sendEvent(&b, &press);
    }
    EXPECT_EQ(typed, (QList<qint16>{97, 241, 128, 63})); // as the banner gives them
}

TEST(ButtonInteraction, SpaceOnADisabledButtonNeverReachesIt)
{
    QWidget window;
    auto *b = new Button(&window);
    placeButton(*b);
    b->setButtonEnabled(VbTrue);
    window.show();
    b->setFocus();
    int clicks = 0, keys = 0;
    QObject::connect(b, &Button::Click, [&] { ++clicks; });
    QObject::connect(b, &Button::KeyDown, [&](qint16 &, qint16 &) { ++keys; });
    b->setButtonEnabled(VbFalse);
    QTest::keyClick(b, Qt::Key_Space);
    QTest::keyClick(&window, Qt::Key_Space);
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(keys, 0);
    EXPECT_EQ(b->lastState(), Button::StateUp);
}
