#include "app/Creditos.h"
#include "controls/button/Button.h"
#include "tests/support/MainWindowFixture.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>

namespace {

// Keys go to the window as the keyboard sends them: to the focus, a shortcut or an open menu.
class KeyboardOnly : public QuietMainWindowTest
{
protected:
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *target = QApplication::activePopupWidget();
        if (!target)
            target = QApplication::activeWindow();
        ASSERT_NE(target, nullptr) << "no window takes the keyboard";
        QTest::keyClick(target->windowHandle(), k, modifiers);
    }
    QString focusName() const
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(nothing)");
    }
    // The focus after each of count Tabs (or Shift+Tabs).
    QStringList tabThrough(int count, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QStringList visited;
        for (int i = 0; i < count; ++i) {
            key(Qt::Key_Tab, modifiers);
            visited.append(focusName());
        }
        return visited;
    }
    QString openMenu() const
    {
        const QWidget *popup = QApplication::activePopupWidget();
        return popup ? popup->objectName() : QString();
    }
};

} // namespace

TEST_F(KeyboardOnly, TabOrderSearchTickAndDelete)
{
    Form1 &form = start(addresses(QStringLiteral("c"), 3));
    EXPECT_EQ(focusName(), QStringLiteral("Lista")) << "the lowest tab index starts";
    // The delete button takes no focus while it is disabled.
    EXPECT_EQ(tabThrough(4), (QStringList{"Command1", "Text1", "Text2", "Lista"}));

    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    ASSERT_EQ(lista()->count(), 3);

    // Back on the list its first row is current; the arrows move, space ticks and unticks.
    key(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focusName(), QStringLiteral("Lista"));
    EXPECT_EQ(lista()->currentRow(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    ASSERT_EQ(lista()->item(1)->checkState(), Qt::Checked);
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("c2@example.org"));
    key(Qt::Key_Space);
    EXPECT_EQ(form.command2()->buttonEnabled(), VbFalse);
    key(Qt::Key_Space);
    ASSERT_EQ(form.command2()->buttonEnabled(), VbTrue);

    // Now the delete button is on the way, both ways round.
    EXPECT_EQ(tabThrough(5), (QStringList{"Command1", "Command2", "Text1", "Text2", "Lista"}));
    EXPECT_EQ(tabThrough(5, Qt::ShiftModifier),
              (QStringList{"Text2", "Text1", "Command2", "Command1", "Lista"}));
    // On a button the arrows move like Tab and Shift+Tab.
    key(Qt::Key_Tab);
    key(Qt::Key_Right);
    ASSERT_EQ(focusName(), QStringLiteral("Command2"));
    key(Qt::Key_Left);
    EXPECT_EQ(focusName(), QStringLiteral("Command1"));
    key(Qt::Key_Down);

    key(Qt::Key_Space);
    EXPECT_EQ(m_store->removed, QStringList{QStringLiteral("c2@example.org")});
    EXPECT_EQ(lista()->count(), 2);
}

TEST_F(KeyboardOnly, MenusOpenWithAltAndTheirItemsRunByAccessKey)
{
    Form1 &form = start(addresses(QStringLiteral("c"), 2));
    key(Qt::Key_A, Qt::AltModifier);
    ASSERT_EQ(openMenu(), QStringLiteral("mnArchivo"));
    key(Qt::Key_B); // "&Buscar Zorko"
    EXPECT_TRUE(openMenu().isEmpty());
    ASSERT_EQ(lista()->count(), 2);
    EXPECT_EQ(focusName(), QStringLiteral("Lista")) << "the menu gives the focus back";

    // "&Eliminar" does nothing while disabled. The first Escape closes the menu onto the
    // menu bar, the second leaves the bar.
    key(Qt::Key_A, Qt::AltModifier);
    key(Qt::Key_E);
    EXPECT_TRUE(m_store->removed.isEmpty());
    EXPECT_EQ(openMenu(), QStringLiteral("mnArchivo"));
    key(Qt::Key_Escape);
    EXPECT_TRUE(openMenu().isEmpty());
    EXPECT_NE(qobject_cast<QMenuBar *>(QApplication::focusWidget()), nullptr);
    key(Qt::Key_Escape);
    ASSERT_EQ(focusName(), QStringLiteral("Lista"));

    ASSERT_EQ(lista()->currentRow(), 0);
    key(Qt::Key_Space);
    ASSERT_TRUE(child<QAction>("mnDelette")->isEnabled());
    key(Qt::Key_A, Qt::AltModifier);
    key(Qt::Key_E);
    EXPECT_EQ(m_store->removed, QStringList{QStringLiteral("c1@example.org")});

    key(Qt::Key_H, Qt::AltModifier);
    ASSERT_EQ(openMenu(), QStringLiteral("mnHelp"));
    key(Qt::Key_W); // "&Web Orvalin"
    EXPECT_EQ(m_opener.opened.size(), 1);

    // "&Acerca de" opens the about window with its button focused; space closes it.
    key(Qt::Key_H, Qt::AltModifier);
    key(Qt::Key_A);
    ASSERT_NE(form.creditos(), nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.creditos()));
    EXPECT_EQ(focusName(), QStringLiteral("Button1"));
    key(Qt::Key_Space);
    EXPECT_TRUE(form.creditos() == nullptr || !form.creditos()->isVisible());
}
