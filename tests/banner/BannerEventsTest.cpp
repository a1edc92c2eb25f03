#include "BannerHost.h"
#include "platform/base/Error.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// Records the events a banner passes on, in order, with their arguments.
struct EventLog
{
    QStringList entries;

    explicit EventLog(csLogo &b)
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
        auto key = [this](const char *name) {
            return [this, name](qint16 &code, qint16 &shift) {
                entries.append(
                    QStringLiteral("%1 %2 %3").arg(QLatin1String(name)).arg(code).arg(shift));
            };
        };
        QObject::connect(&b, &csLogo::MouseDown, &b, mouse("MouseDown"));
        QObject::connect(&b, &csLogo::MouseMove, &b, mouse("MouseMove"));
        QObject::connect(&b, &csLogo::MouseUp, &b, mouse("MouseUp"));
        QObject::connect(&b, &csLogo::Click, &b, [this] { entries.append("Click"); });
        QObject::connect(&b, &csLogo::DblClick, &b, [this] { entries.append("DblClick"); });
        QObject::connect(&b, &csLogo::KeyDown, &b, key("KeyDown"));
        QObject::connect(&b, &csLogo::KeyUp, &b, key("KeyUp"));
        QObject::connect(&b, &csLogo::KeyPress, &b, [this](qint16 &ascii) {
            entries.append(QStringLiteral("KeyPress %1").arg(ascii));
        });
    }
};

void mouse(QWidget &w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
           Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), button, buttons, modifiers);
    QCoreApplication::sendEvent(&w, &event);
}

void key(QWidget &w, QEvent::Type type, int key, Qt::KeyboardModifiers modifiers,
         const QString &text = {}, bool autoRepeat = false)
{
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QCoreApplication::sendEvent(&w, &event);
}

} // namespace

TEST(BannerEvents, MouseEventsCarryButtonsShiftAndTwips)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &b = host.banner();
    EventLog log(b);
    mouse(b, QEvent::MouseButtonPress, {2, 3}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    mouse(b, QEvent::MouseButtonRelease, {2, 3}, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    mouse(b, QEvent::MouseButtonPress, {0, 0}, Qt::RightButton, Qt::RightButton,
          Qt::ControlModifier | Qt::AltModifier);
    mouse(b, QEvent::MouseMove, {1, 100}, Qt::NoButton, Qt::RightButton | Qt::MiddleButton);
    mouse(b, QEvent::MouseButtonRelease, {1, 0}, Qt::MiddleButton, Qt::RightButton);
    mouse(b, QEvent::MouseButtonRelease, {50, 0}, Qt::RightButton, Qt::NoButton);
    mouse(b, QEvent::MouseMove, {10, 100}, Qt::NoButton, Qt::NoButton);
    // The second press of a double click raises DblClick, and its release no Click.
    mouse(b, QEvent::MouseButtonDblClick, {1, 1}, Qt::LeftButton, Qt::LeftButton);
    mouse(b, QEvent::MouseButtonRelease, {1, 1}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(log.entries,
              (QStringList{"MouseDown 1 1 30 45", "MouseUp 1 1 30 45", "Click", "MouseDown 2 6 0 0",
                           "MouseMove 6 0 15 1500", "MouseUp 4 0 15 0", "MouseUp 2 0 750 0",
                           "MouseMove 0 0 150 1500", "DblClick", "MouseUp 1 0 15 15"}))
        << "no Click for the middle button nor for a release outside";
}

TEST(BannerEvents, KeysPassKeyCodesShiftAndCharacters)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &b = host.banner();
    EventLog log(b);
    key(b, QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    key(b, QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, QStringLiteral("A"));
    key(b, QEvent::KeyPress, Qt::Key_F5, Qt::ControlModifier);
    key(b, QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    key(b, QEvent::KeyPress, Qt::Key_Ntilde, Qt::NoModifier, QStringLiteral("\u00F1"));
    key(b, QEvent::KeyRelease, Qt::Key_Left, Qt::AltModifier, {}, true);
    // The code page's codes, as the button gives them: € is 128, and 中, which the page
    // lacks, is "?".
    key(b, QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u20AC"));
    key(b, QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QStringLiteral("\u4E2D"));
    EXPECT_EQ(log.entries, (QStringList{"KeyDown 65 1", "KeyPress 65", "KeyUp 65 1",
                                        "KeyDown 116 2", "KeyDown 13 0", "KeyPress 13",
                                        "KeyPress 241", "KeyPress 128", "KeyPress 63"}))
        << "an auto-repeated release raises no KeyUp";
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
    QObject::connect(&b, &csLogo::KeyPress, &b, [](qint16 &ascii) { ascii = 0; });
    EventLog later(b); // connected after the handlers that change the arguments
    mouse(b, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    key(b, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(later.entries, (QStringList{"MouseDown 99 0 -1.5 45", "KeyDown 65 0", "KeyPress 0"}));
}

TEST(BannerEvents, AnErrorInAContainersHandlerIsReportedAndTheBannerCarriesOn)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &b = host.banner();
    b.setObjectName(QStringLiteral("csLogo1"));
    QObject::connect(&b, &csLogo::MouseDown, &b, [](qint16 &, qint16 &, float &, float &) {
        throw Error(QStringLiteral("fallo del manejador"));
    });
    QObject::connect(&b, &csLogo::KeyPress, &b,
                     [](qint16 &) { throw std::runtime_error("sin memoria"); });
    static QStringList reports;
    reports.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
            if (type == QtCriticalMsg)
                reports.append(text);
        });
    EventLog log(b);
    mouse(b, QEvent::MouseButtonPress, {3, 3}, Qt::LeftButton, Qt::LeftButton);
    key(b, QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    mouse(b, QEvent::MouseButtonRelease, {3, 3}, Qt::LeftButton, Qt::NoButton);
    qInstallMessageHandler(previous);
    EXPECT_EQ(reports, (QStringList{"csLogo1 (MouseDown): fallo del manejador",
                                    "csLogo1 (KeyDown): sin memoria"}));
    // The handlers connected after the failing one do not run for that event; later events
    // reach everyone.
    EXPECT_EQ(log.entries, (QStringList{"KeyDown 65 0", "MouseUp 1 0 45 45", "Click"}));
}
