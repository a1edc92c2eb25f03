#include "AccessibilitySupport.h"
#include "controls/button/AccessKey.h"
#include "controls/button/Button.h"
#include "platform/Error.h"
#include "tests/button/ButtonTestSupport.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A shown, active window holding one placed button, as focus and key tests need.
class ButtonWindow
{
public:
    explicit ButtonWindow(const QString &caption)
        : m_window(std::make_unique<QWidget>()), m_other(new QWidget(m_window.get()))
    {
        m_button = new Button(m_window.get());
        m_button->setObjectName(QStringLiteral("Command1"));
        m_button->InitProperties();
        m_button->setCaption(caption);
        m_button->setGeometry(10, 10, 89, 25);
        m_other->setFocusPolicy(Qt::StrongFocus);
        m_other->setGeometry(10, 50, 20, 20);
        m_window->resize(120, 80);
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    Button &button() { return *m_button; }
    QWidget &other() { return *m_other; }

private:
    std::unique_ptr<QWidget> m_window;
    QWidget *m_other;
    Button *m_button = nullptr;
};

// Collects the messages Qt and the controls report while it lives.
class MessageCatcher
{
public:
    MessageCatcher() : m_previous(qInstallMessageHandler(&MessageCatcher::handle))
    {
        caught().clear();
    }
    ~MessageCatcher() { qInstallMessageHandler(m_previous); }
    static QStringList &caught()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext &, const QString &message)
    {
        caught().append(message);
    }
    QtMessageHandler m_previous;
};

} // namespace

TEST(CaptionAsShown, DropsMarkersAndHalvesDoubledAmpersands)
{
    EXPECT_EQ(captionAsShown(QStringLiteral("&Buscar")), QStringLiteral("Buscar"));
    EXPECT_EQ(captionAsShown(QStringLiteral("Bus&car")), QStringLiteral("Buscar"));
    EXPECT_EQ(captionAsShown(QStringLiteral("Tom && Jerry")), QStringLiteral("Tom & Jerry"));
    EXPECT_EQ(captionAsShown(QStringLiteral("&&&x")), QStringLiteral("&x"));
    EXPECT_EQ(captionAsShown(QStringLiteral("A&&B&&C&D")), QStringLiteral("A&B&CD"));
    EXPECT_EQ(captionAsShown(QStringLiteral("Save&")), QStringLiteral("Save"));
    EXPECT_EQ(captionAsShown(QStringLiteral("&")), QString());
    EXPECT_EQ(captionAsShown(QStringLiteral("&&")), QStringLiteral("&"));
    EXPECT_EQ(captionAsShown(QString()), QString());
    EXPECT_EQ(captionAsShown(QStringLiteral("Añadir &ñu")), QStringLiteral("Añadir ñu"));
}

TEST(ButtonAccessibility, APushButtonNamedByItsShownCaption)
{
    Button button;
    placeButton(button);
    button.setCaption(QStringLiteral("&Buscar"));
    QAccessibleInterface *iface = accessibleOf(&button);
    ASSERT_NE(iface, nullptr);
    EXPECT_TRUE(iface->isValid());
    EXPECT_EQ(iface->object(), &button);
    EXPECT_EQ(iface->role(), QAccessible::PushButton);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Buscar"));

    // The name follows the caption, and a name given to the window takes its place.
    button.setCaption(QStringLiteral("Tom && Jerry"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Tom & Jerry"));
    button.setAccessibleName(QStringLiteral("Buscar contactos"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Buscar contactos"));
    button.setAccessibleName(QString());
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Tom & Jerry"));

    // A subclass is still seen as the push button it is.
    RecordingButton derived;
    placeButton(derived);
    derived.setCaption(QStringLiteral("&Otro"));
    QAccessibleInterface *derivedIface = accessibleOf(&derived);
    ASSERT_NE(derivedIface, nullptr);
    EXPECT_EQ(derivedIface->role(), QAccessible::PushButton);
    EXPECT_EQ(derivedIface->text(QAccessible::Name), QStringLiteral("Otro"));
}

TEST(ButtonAccessibility, ReportsTheAccessKeyTheWindowListensTo)
{
    Button button;
    placeButton(button);
    QAccessibleInterface *iface = accessibleOf(&button);
    ASSERT_NE(iface, nullptr);
    QAccessibleActionInterface *actions = iface->actionInterface();
    ASSERT_NE(actions, nullptr);

    const struct
    {
        const char *caption;
        const char *shortcut;
    } cases[] = {
        {"&Buscar", "Alt+B"}, {"eli&minar", "Alt+M"}, {"A&&B&C", "Alt+C"},
        {"&&&x", "Alt+X"},    {"&1 uno", "Alt+1"},    {"Buscar", ""},
        {"Save&", ""},        {"Tom && Jerry", ""},   {"A&&B&&C&D", ""},
    };
    for (const auto &c : cases) {
        button.setCaption(QString::fromUtf8(c.caption));
        EXPECT_EQ(iface->text(QAccessible::Accelerator), QString::fromUtf8(c.shortcut))
            << c.caption;
        const QStringList bindings =
            actions->keyBindingsForAction(QAccessibleActionInterface::pressAction());
        if (*c.shortcut)
            EXPECT_EQ(bindings, QStringList{QString::fromUtf8(c.shortcut)}) << c.caption;
        else
            EXPECT_TRUE(bindings.isEmpty()) << c.caption;
    }
}

TEST(ButtonAccessibility, StateFollowsFocusPressedLookAndAvailability)
{
    ButtonWindow window(QStringLiteral("&Buscar"));
    Button &button = window.button();
    QAccessibleInterface *iface = accessibleOf(&button);
    ASSERT_NE(iface, nullptr);

    window.other().setFocus();
    QAccessible::State state = iface->state();
    EXPECT_TRUE(state.focusable);
    EXPECT_FALSE(state.focused);
    EXPECT_FALSE(state.pressed);
    EXPECT_FALSE(state.disabled);

    button.setFocus();
    EXPECT_TRUE(iface->state().focused);

    // Pressed while the space bar or the left mouse button holds the pressed look.
    QTest::keyPress(&button, Qt::Key_Space);
    EXPECT_TRUE(iface->state().pressed);
    QTest::keyRelease(&button, Qt::Key_Space);
    EXPECT_FALSE(iface->state().pressed);
    QTest::mousePress(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_TRUE(iface->state().pressed);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, {5, 5});
    EXPECT_FALSE(iface->state().pressed);
    // The right button never shows the pressed look.
    QTest::mousePress(&button, Qt::RightButton, {}, {5, 5});
    EXPECT_FALSE(iface->state().pressed);
    QTest::mouseRelease(&button, Qt::RightButton, {}, {5, 5});

    button.setDisplayAsDefault(true);
    EXPECT_TRUE(iface->state().defaultButton);
    button.setDisplayAsDefault(false);
    EXPECT_FALSE(iface->state().defaultButton);

    button.setButtonEnabled(VbFalse);
    EXPECT_TRUE(iface->state().disabled);
    // Any value but True keeps the window enabled yet refuses every click: still unavailable.
    button.setButtonEnabled(1);
    ASSERT_TRUE(button.isEnabled());
    EXPECT_TRUE(iface->state().disabled);
    button.setButtonEnabled(VbTrue);
    EXPECT_FALSE(iface->state().disabled);
}

TEST(ButtonAccessibility, PressActionClicksAsTheMouseDoes)
{
    Button button;
    placeButton(button);
    button.setCaption(QStringLiteral("&Buscar"));
    QAccessibleActionInterface *actions = accessibleOf(&button)->actionInterface();
    ASSERT_NE(actions, nullptr);
    const QString press = QAccessibleActionInterface::pressAction();
    EXPECT_TRUE(actions->actionNames().contains(press));

    QStringList order;
    QObject::connect(&button, &Button::MouseDown, [&](qint16 &b, qint16 &, float &, float &) {
        order << QStringLiteral("MouseDown(%1)/%2").arg(b).arg(button.lastState());
    });
    QObject::connect(&button, &Button::MouseUp, [&](qint16 &b, qint16 &, float &, float &) {
        order << QStringLiteral("MouseUp(%1)/%2").arg(b).arg(button.lastState());
    });
    QObject::connect(&button, &Button::Click,
                     [&] { order << QStringLiteral("Click/%1").arg(button.lastState()); });
    actions->doAction(press);
    EXPECT_EQ(order, (QStringList{"MouseDown(1)/2", "MouseUp(1)/0", "Click/0"}));

    // A right press leaves a click pending on the left button; the action still clicks.
    QTest::mousePress(&button, Qt::RightButton, {}, {5, 5});
    QTest::mouseRelease(&button, Qt::RightButton, {}, {5, 5});
    order.clear();
    actions->doAction(press);
    EXPECT_EQ(order.count(QStringLiteral("Click/0")), 1);

    // An unavailable button offers no press, and pressing it anyway does nothing.
    for (const qint16 enabled : {qint16(VbFalse), qint16(1)}) {
        button.setButtonEnabled(enabled);
        EXPECT_FALSE(actions->actionNames().contains(press)) << enabled;
        order.clear();
        actions->doAction(press);
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
    MessageCatcher catcher;
    EXPECT_NO_THROW(accessibleOf(&button)->actionInterface()->doAction(
        QAccessibleActionInterface::pressAction()));
    ASSERT_EQ(MessageCatcher::caught().size(), 1);
    EXPECT_TRUE(MessageCatcher::caught().first().contains(QStringLiteral("Command2")));
    EXPECT_TRUE(MessageCatcher::caught().first().contains(QStringLiteral("el contacto no existe")));
    // The control keeps working after the error.
    EXPECT_EQ(button.lastState(), Button::StateUp);
}
