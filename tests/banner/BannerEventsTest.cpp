#include "BannerHost.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// Records the events the banner passes on, in order, with their arguments.
class EventLog
{
public:
    explicit EventLog(csLogo &banner)
    {
        auto mouse = [this](const char *name) {
            return [this, name](qint16 &button, qint16 &shift, float &x, float &y) {
                entries.append(QStringLiteral("%1 %2 %3 %4 %5")
                                   .arg(QLatin1String(name))
                                   .arg(button)
                                   .arg(shift)
                                   .arg(double(x))
                                   .arg(double(y)));
            };
        };
        QObject::connect(&banner, &csLogo::MouseDown, &banner, mouse("MouseDown"));
        QObject::connect(&banner, &csLogo::MouseMove, &banner, mouse("MouseMove"));
        QObject::connect(&banner, &csLogo::MouseUp, &banner, mouse("MouseUp"));
        QObject::connect(&banner, &csLogo::Click, &banner,
                         [this] { entries.append(QStringLiteral("Click")); });
        QObject::connect(&banner, &csLogo::DblClick, &banner,
                         [this] { entries.append(QStringLiteral("DblClick")); });
        QObject::connect(&banner, &csLogo::KeyDown, &banner, [this](qint16 &code, qint16 &shift) {
            entries.append(QStringLiteral("KeyDown %1 %2").arg(code).arg(shift));
        });
        QObject::connect(&banner, &csLogo::KeyPress, &banner, [this](qint16 &ascii) {
            entries.append(QStringLiteral("KeyPress %1").arg(ascii));
        });
        QObject::connect(&banner, &csLogo::KeyUp, &banner, [this](qint16 &code, qint16 &shift) {
            entries.append(QStringLiteral("KeyUp %1 %2").arg(code).arg(shift));
        });
    }

    QStringList entries;
};

void sendMouse(QWidget &widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), widget.mapToGlobal(QPointF(pos)), button, buttons,
                      modifiers);
    QCoreApplication::sendEvent(&widget, &event);
}

void sendKey(QWidget &widget, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
             const QString &text = {}, bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(BannerEvents, ClickPassesDownUpClickWithTwipCoordinates)
{
    BannerHost host;
    host.resize(43, 303);
    EventLog log(host.banner());
    sendMouse(host.banner(), QEvent::MouseButtonPress, {2, 3}, Qt::LeftButton, Qt::LeftButton,
              Qt::ShiftModifier);
    sendMouse(host.banner(), QEvent::MouseButtonRelease, {2, 3}, Qt::LeftButton, Qt::NoButton,
              Qt::ShiftModifier);
    EXPECT_EQ(log.entries, (QStringList{"MouseDown 1 1 30 45", "MouseUp 1 1 30 45", "Click"}));
}

TEST(BannerEvents, ButtonsAndModifiersUseTheirBitValues)
{
    BannerHost host;
    host.resize(43, 303);
    EventLog log(host.banner());
    sendMouse(host.banner(), QEvent::MouseButtonPress, {0, 0}, Qt::RightButton, Qt::RightButton,
              Qt::ControlModifier | Qt::AltModifier);
    sendMouse(host.banner(), QEvent::MouseMove, {1, 0}, Qt::NoButton,
              Qt::RightButton | Qt::MiddleButton, Qt::NoModifier);
    sendMouse(host.banner(), QEvent::MouseButtonRelease, {1, 0}, Qt::MiddleButton, Qt::RightButton,
              Qt::NoModifier);
    EXPECT_EQ(log.entries,
              (QStringList{"MouseDown 2 6 0 0", "MouseMove 6 0 15 0", "MouseUp 4 0 15 0"}))
        << "the middle button raises no Click";
}

TEST(BannerEvents, MouseMoveWithoutButtonsIsPassedOn)
{
    BannerHost host;
    host.resize(43, 303);
    EventLog log(host.banner());
    sendMouse(host.banner(), QEvent::MouseMove, {10, 100}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(log.entries, QStringList{"MouseMove 0 0 150 1500"});
}

TEST(BannerEvents, ReleaseOutsideRaisesNoClick)
{
    BannerHost host;
    host.resize(43, 303);
    EventLog log(host.banner());
    sendMouse(host.banner(), QEvent::MouseButtonPress, {5, 5}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(host.banner(), QEvent::MouseButtonRelease, {50, 5}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log.entries, (QStringList{"MouseDown 1 0 75 75", "MouseUp 1 0 750 75"}));
}

TEST(BannerEvents, DoubleClickReplacesTheSecondDownAndClick)
{
    BannerHost host;
    host.resize(43, 303);
    EventLog log(host.banner());
    csLogo &b = host.banner();
    sendMouse(b, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(b, QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    sendMouse(b, QEvent::MouseButtonDblClick, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    sendMouse(b, QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log.entries, (QStringList{"MouseDown 1 0 15 15", "MouseUp 1 0 15 15", "Click",
                                        "DblClick", "MouseUp 1 0 15 15"}));
}

TEST(BannerEvents, HandlersShareTheArgumentsByReference)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &b = host.banner();
    QObject::connect(&b, &csLogo::MouseDown, &b, [](qint16 &button, qint16 &, float &x, float &) {
        button = 99;
        x = -1.5f;
    });
    qint16 seenButton = 0;
    float seenX = 0;
    QObject::connect(&b, &csLogo::MouseDown, &b, [&](qint16 &button, qint16 &, float &x, float &) {
        seenButton = button;
        seenX = x;
    });
    QObject::connect(&b, &csLogo::KeyPress, &b, [](qint16 &ascii) { ascii = 0; });
    qint16 seenAscii = -5;
    QObject::connect(&b, &csLogo::KeyPress, &b, [&](qint16 &ascii) { seenAscii = ascii; });

    sendMouse(b, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    sendKey(b, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(seenButton, 99);
    EXPECT_EQ(seenX, -1.5f);
    EXPECT_EQ(seenAscii, 0);
}

TEST(BannerEvents, KeysPassKeyCodesShiftAndCharacters)
{
    BannerHost host;
    host.resize(43, 303);
    EventLog log(host.banner());
    csLogo &b = host.banner();
    sendKey(b, QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    sendKey(b, QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    sendKey(b, QEvent::KeyPress, Qt::Key_Ntilde, Qt::NoModifier, QStringLiteral("\u00F1"));
    sendKey(b, QEvent::KeyPress, Qt::Key_F5, Qt::ControlModifier);
    sendKey(b, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    sendKey(b, QEvent::KeyPress, Qt::Key_Left, Qt::AltModifier);
    sendKey(b, QEvent::KeyRelease, Qt::Key_Left, Qt::AltModifier, {}, true);
    EXPECT_EQ(log.entries,
              (QStringList{"KeyDown 65 1", "KeyPress 65", "KeyUp 65 1", "KeyPress 241",
                           "KeyDown 116 2", "KeyDown 13 0", "KeyPress 13", "KeyDown 37 4"}))
        << "an auto-repeated release raises no KeyUp";
}
