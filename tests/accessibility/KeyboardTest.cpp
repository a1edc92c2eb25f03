#include "MainWindowFixture.h"
#include "app/Creditos.h"
#include "controls/button/Button.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

namespace {

// Keys go to the window as the keyboard sends them: to the focus, a shortcut or an open menu.
class KeyboardOnly : public MainWindowTest
{
protected:
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget *active = QApplication::activePopupWidget();
        if (!active)
            active = QApplication::activeWindow();
        ASSERT_NE(active, nullptr) << "no window takes the keyboard";
        QTest::keyClick(active->windowHandle(), k, modifiers);
    }
    QString focusName() const
    {
        const QWidget *focus = QApplication::focusWidget();
        return focus ? focus->objectName() : QStringLiteral("(nothing)");
    }
    // The focus after each of count Tabs (or Shift+Tabs).
    QStringList tabThrough(int count, bool backwards = false)
    {
        QStringList visited;
        for (int i = 0; i < count; ++i) {
            key(Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
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

TEST_F(KeyboardOnly, TabVisitsTheControlsInTheirTabIndexOrder)
{
    Form1 &form = start(addresses(3));
    EXPECT_EQ(focusName(), QStringLiteral("Lista")) << "the first control of the tab order";
    // The delete button takes no focus while it is disabled.
    EXPECT_EQ(tabThrough(4), (QStringList{"Command1", "Text1", "Text2", "Lista"}));

    // Search, come back and tick a row: now the delete button is on the way.
    key(Qt::Key_Tab);
    key(Qt::Key_Space);
    key(Qt::Key_Tab, Qt::ShiftModifier);
    key(Qt::Key_Space);
    ASSERT_EQ(form.command2()->buttonEnabled(), VbTrue);
    EXPECT_EQ(tabThrough(5), (QStringList{"Command1", "Command2", "Text1", "Text2", "Lista"}));
    EXPECT_EQ(tabThrough(5, true),
              (QStringList{"Text2", "Text1", "Command2", "Command1", "Lista"}));
    // The arrows on a button move on like Tab and Shift+Tab.
    key(Qt::Key_Tab);
    key(Qt::Key_Right);
    EXPECT_EQ(focusName(), QStringLiteral("Command2"));
    key(Qt::Key_Up);
    EXPECT_EQ(focusName(), QStringLiteral("Command1"));
}

TEST_F(KeyboardOnly, SearchTickAndDeleteWithKeysAlone)
{
    Form1 &form = start(addresses(3));
    // Lista → Command1, space searches.
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("Command1"));
    EXPECT_TRUE(form.command1()->displayAsDefault());
    key(Qt::Key_Space);
    ASSERT_EQ(lista()->count(), 3);

    // Back to the list: its first row is the current one, the arrows move on, space ticks
    // the row and shows its address.
    key(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(focusName(), QStringLiteral("Lista"));
    EXPECT_EQ(lista()->currentRow(), 0);
    key(Qt::Key_Down);
    key(Qt::Key_Space);
    ASSERT_EQ(lista()->item(1)->checkState(), Qt::Checked)
        << "current row " << lista()->currentRow();
    EXPECT_EQ(child<QLabel>("Label2")->text(), QStringLiteral("c2@example.org"));
    EXPECT_EQ(form.command2()->buttonEnabled(), VbTrue);

    // Space again unticks: both delete triggers go off; tick once more for the removal.
    key(Qt::Key_Space);
    EXPECT_EQ(form.command2()->buttonEnabled(), VbFalse);
    EXPECT_FALSE(child<QAction>("mnDelette")->isEnabled());
    key(Qt::Key_Space);

    key(Qt::Key_Tab);
    key(Qt::Key_Tab);
    ASSERT_EQ(focusName(), QStringLiteral("Command2"));
    key(Qt::Key_Space);
    EXPECT_EQ(m_store->removed, QStringList{QStringLiteral("c2@example.org")});
    ASSERT_EQ(lista()->count(), 2);
    EXPECT_EQ(lista()->item(0)->data(Qt::UserRole).toString(), QStringLiteral("c1@example.org"));
    EXPECT_EQ(lista()->item(1)->data(Qt::UserRole).toString(), QStringLiteral("c3@example.org"));
}

TEST_F(KeyboardOnly, MenusOpenWithAltAndTheirItemsRunByAccessKey)
{
    Form1 &form = start(addresses(2));
    key(Qt::Key_A, Qt::AltModifier);
    ASSERT_EQ(openMenu(), QStringLiteral("mnArchivo"));
    key(Qt::Key_B); // "&Buscar Zorko"
    EXPECT_TRUE(openMenu().isEmpty());
    ASSERT_EQ(lista()->count(), 2);

    // "&Eliminar" is skipped while disabled; once a row is ticked it removes it.
    EXPECT_EQ(focusName(), QStringLiteral("Lista")) << "the menu gives the focus back";
    key(Qt::Key_A, Qt::AltModifier);
    key(Qt::Key_E);
    EXPECT_TRUE(m_store->removed.isEmpty());
    // The first Escape closes the menu onto the menu bar, the second leaves the bar.
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

    // Help: Escape closes it and gives the keyboard back to the window.
    key(Qt::Key_H, Qt::AltModifier);
    ASSERT_EQ(openMenu(), QStringLiteral("mnHelp"));
    key(Qt::Key_Escape);
    EXPECT_TRUE(openMenu().isEmpty());
    key(Qt::Key_H, Qt::AltModifier);
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
