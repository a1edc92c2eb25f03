#include "AccessibilitySupport.h"
#include "controls/button/AccessKey.h"
#include "controls/button/Button.h"
#include "controls/button/DefaultButtonTracker.h"
#include "platform/base/Error.h"
#include "tests/button/ButtonTestSupport.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QStringList g_messages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &message)
{
    g_messages.append(message);
}

QString pressAction()
{
    return QAccessibleActionInterface::pressAction();
}

} // namespace

TEST(CaptionAsShown, DropsMarkersAndHalvesDoubledAmpersands)
{
    EXPECT_EQ(captionAsShown(QStringLiteral("&Buscar")), QStringLiteral("Buscar"));
    EXPECT_EQ(captionAsShown(QStringLiteral("Tom && Jerry")), QStringLiteral("Tom & Jerry"));
    EXPECT_EQ(captionAsShown(QStringLiteral("&&&x")), QStringLiteral("&x"));
    EXPECT_EQ(captionAsShown(QStringLiteral("A&&B&&C&D")), QStringLiteral("A&B&CD"));
    EXPECT_EQ(captionAsShown(QStringLiteral("Save&")), QStringLiteral("Save"));
    EXPECT_EQ(captionAsShown(QStringLiteral("&")), QString());
    EXPECT_EQ(captionAsShown(QStringLiteral("Añadir &ñu")), QStringLiteral("Añadir ñu"));
}

TEST(ButtonAccessibility, APushButtonNamedByItsShownCaptionWithItsAccessKey)
{
    Button button;
    placeButton(button);
    button.setCaption(QStringLiteral("&Buscar"));
    QAccessibleInterface *iface = accessibleOf(&button);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->object(), &button);
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Buscar"));
    EXPECT_EQ(iface->text(QAccessible::Accelerator), QStringLiteral("Alt+B"));
    EXPECT_EQ(iface->actionInterface()->keyBindingsForAction(pressAction()),
              QStringList{QStringLiteral("Alt+B")});

    // Both follow the caption; a marker the control does not honour gives no shortcut.
    button.setCaption(QStringLiteral("A&&B&&C&D"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("A&B&CD"));
    EXPECT_EQ(iface->text(QAccessible::Accelerator), QString());
    EXPECT_TRUE(iface->actionInterface()->keyBindingsForAction(pressAction()).isEmpty());
    button.setCaption(QStringLiteral("eli&minar"));
    EXPECT_EQ(iface->text(QAccessible::Accelerator), QStringLiteral("Alt+M"));

    // A name given to the window takes the caption's place.
    button.setAccessibleName(QStringLiteral("Borrar contactos"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Borrar contactos"));

    // A subclass is still seen as the push button it is.
    RecordingButton derived;
    derived.setCaption(QStringLiteral("&Otro"));
    QAccessibleInterface *derivedIface = accessibleOf(&derived);
    ASSERT_NE(derivedIface, nullptr);
    EXPECT_EQ(derivedIface->role(), QAccessible::PushButton);
    EXPECT_EQ(derivedIface->text(QAccessible::Name), QStringLiteral("Otro"));
}

TEST(ButtonAccessibility, StateFollowsFocusPressedLookAndAvailability)
{
    QWidget window;
    auto *button = new Button(&window);
    button->InitProperties();
    button->setGeometry(10, 10, 89, 25);
    auto *other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    new DefaultButtonTracker(&window);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QAccessibleInterface *iface = accessibleOf(button);
    ASSERT_NE(iface, nullptr);

    other->setFocus();
    EXPECT_TRUE(iface->state().focusable);
    EXPECT_FALSE(iface->state().focused);
    button->setFocus();
    EXPECT_TRUE(iface->state().focused);

    // Pressed exactly while the pressed look shows; the right button never shows it.
    QTest::keyPress(button, Qt::Key_Space);
    EXPECT_TRUE(iface->state().pressed);
    QTest::keyRelease(button, Qt::Key_Space);
    EXPECT_FALSE(iface->state().pressed);
    QTest::mousePress(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(iface->state().pressed);
    QTest::mouseRelease(button, Qt::LeftButton, {}, {5, 5});
    EXPECT_FALSE(iface->state().pressed);
    QTest::mousePress(button, Qt::RightButton, {}, {5, 5});
    EXPECT_FALSE(iface->state().pressed);
    QTest::mouseRelease(button, Qt::RightButton, {}, {5, 5});

    EXPECT_TRUE(iface->state().defaultButton) << "the focused button is the window's default";
    other->setFocus();
    EXPECT_FALSE(iface->state().defaultButton);

    EXPECT_FALSE(iface->state().disabled);
    button->setButtonEnabled(VbFalse);
    EXPECT_TRUE(iface->state().disabled);
    // Any value but True keeps the window enabled yet refuses every click: still unavailable.
    button->setButtonEnabled(1);
    ASSERT_TRUE(button->isEnabled());
    EXPECT_TRUE(iface->state().disabled);
}

TEST(ButtonAccessibility, PressActionClicksAsTheMouseDoes)
{
    Button button;
    placeButton(button);
    QAccessibleActionInterface *actions = accessibleOf(&button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    EXPECT_TRUE(actions->actionNames().contains(pressAction()));

    QStringList order;
    QObject::connect(&button, &Button::MouseDown, [&](qint16 &b, qint16 &, float &, float &) {
        order << QStringLiteral("MouseDown(%1)/%2").arg(b).arg(button.lastState());
    });
    QObject::connect(&button, &Button::MouseUp, [&](qint16 &b, qint16 &, float &, float &) {
        order << QStringLiteral("MouseUp(%1)/%2").arg(b).arg(button.lastState());
    });
    QObject::connect(&button, &Button::Click,
                     [&] { order << QStringLiteral("Click/%1").arg(button.lastState()); });
    actions->doAction(pressAction());
    EXPECT_EQ(order, (QStringList{"MouseDown(1)/2", "MouseUp(1)/0", "Click/0"}));

    // After a right press a Click waits for the left button; the action gives it one.
    QTest::mousePress(&button, Qt::RightButton, {}, {5, 5});
    QTest::mouseRelease(&button, Qt::RightButton, {}, {5, 5});
    order.clear();
    actions->doAction(pressAction());
    EXPECT_EQ(order.count(QStringLiteral("Click/0")), 1);

    // An unavailable button offers no press, and pressing it anyway does nothing.
    for (const qint16 enabled : {qint16(VbFalse), qint16(1)}) {
        button.setButtonEnabled(enabled);
        EXPECT_FALSE(actions->actionNames().contains(pressAction())) << enabled;
        order.clear();
        actions->doAction(pressAction());
        EXPECT_FALSE(order.contains(QStringLiteral("Click/0"))) << enabled;
        EXPECT_EQ(button.lastState(), Button::StateUp) << enabled;
    }
}

TEST(ButtonAccessibility, PressActionReportsAHandlerErrorNamingTheButton)
{
    Button button;
    button.setObjectName(QStringLiteral("Command2"));
    placeButton(button);
    QObject::connect(&button, &Button::Click,
                     [] { throw Error(QStringLiteral("el contacto no existe")); });
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    EXPECT_NO_THROW(accessibleOf(&button)->actionInterface()->doAction(pressAction()));
    qInstallMessageHandler(previous);
    ASSERT_EQ(g_messages.size(), 1);
    EXPECT_TRUE(g_messages.first().contains(QStringLiteral("Command2")))
        << qPrintable(g_messages.first());
    EXPECT_TRUE(g_messages.first().contains(QStringLiteral("el contacto no existe")));
    EXPECT_EQ(button.lastState(), Button::StateUp);
}
