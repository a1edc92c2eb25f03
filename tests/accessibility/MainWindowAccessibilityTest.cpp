#include "AccessibilitySupport.h"
#include "app/Creditos.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "tests/support/MainWindowFixture.h"

namespace {

using MainWindowAccessibility = QuietMainWindowTest;

// The list's row interfaces in order.
QList<QAccessibleInterface *> rowsOf(QAccessibleInterface *list)
{
    QList<QAccessibleInterface *> rows;
    for (int i = 0; i < list->childCount(); ++i) {
        QAccessibleInterface *child = list->child(i);
        if (child && child->role() == QAccessible::ListItem)
            rows.append(child);
    }
    return rows;
}

// What a screen reader arriving now reads of the row's tick.
QString descriptionOf(QListWidget *list, int row)
{
    return freshAccessibleOf(list)->child(row)->text(QAccessible::Description);
}

} // namespace

TEST_F(MainWindowAccessibility, TheWindowsShowTheirControlsToAssistiveTechnology)
{
    Form1 &form = start(addresses(QStringLiteral("c"), 1));
    QAccessibleInterface *window = accessibleOf(&form);
    ASSERT_NE(window, nullptr);

    // Found by walking the window's tree, as a screen reader does.
    QAccessibleInterface *buscar =
        findAccessible(window, QAccessible::PushButton, QStringLiteral("Buscar"));
    ASSERT_NE(buscar, nullptr);
    EXPECT_EQ(buscar->object(), form.command1());
    EXPECT_FALSE(buscar->state().disabled);
    QAccessibleInterface *eliminar =
        findAccessible(window, QAccessible::PushButton, QStringLiteral("Eliminar"));
    ASSERT_NE(eliminar, nullptr);
    EXPECT_TRUE(eliminar->state().disabled);
    QAccessibleInterface *banner =
        findAccessible(window, QAccessible::StaticText, QStringLiteral("Orvalin Beta1"));
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->object(), form.csLogo1());
    // The boxes without a label of their own say what they hold.
    EXPECT_NE(findAccessible(window, QAccessible::EditableText,
                             QStringLiteral("Dirección de inicio de sesión")),
              nullptr);
    EXPECT_NE(
        findAccessible(window, QAccessible::EditableText, QStringLiteral("Nombre para mostrar")),
        nullptr);
    EXPECT_NE(findAccessible(window, QAccessible::List, QStringLiteral("Tu lista de Zorko")),
              nullptr);

    form.showCreditos();
    QAccessibleInterface *about = accessibleOf(form.creditos());
    ASSERT_NE(about, nullptr);
    QAccessibleInterface *cerrar =
        findAccessible(about, QAccessible::PushButton, QStringLiteral("Cerrar"));
    ASSERT_NE(cerrar, nullptr);
    cerrar->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(form.creditos() == nullptr || !form.creditos()->isVisible());
}

TEST_F(MainWindowAccessibility, ListRowsReportTheirNameAddressAndCheckState)
{
    Form1 &form = start(addresses(QStringLiteral("c"), 3));
    accessibleOf(form.command1())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_EQ(lista()->count(), 3);

    QAccessibleInterface *list = accessibleOf(lista());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    const QList<QAccessibleInterface *> rows = rowsOf(list);
    ASSERT_EQ(rows.size(), 3);
    for (int i = 0; i < rows.size(); ++i) {
        const QString address = QStringLiteral("c%1@example.org").arg(i + 1);
        EXPECT_EQ(rows[i]->text(QAccessible::Name), nameFor(address)) << i;
        EXPECT_EQ(rows[i]->text(QAccessible::Description), QStringLiteral("sin marcar, ") + address)
            << i;
        EXPECT_TRUE(rows[i]->state().checkable) << i;
        EXPECT_FALSE(rows[i]->state().checked) << i;
    }

    lista()->item(1)->setCheckState(Qt::Checked);
    EXPECT_TRUE(rowsOf(list)[1]->state().checked);
    EXPECT_FALSE(rowsOf(list)[0]->state().checked);
    EXPECT_EQ(form.command2()->buttonEnabled(), VbTrue);
    EXPECT_FALSE(accessibleOf(form.command2())->state().disabled);

    // The delete button's press removes the ticked row, and the list reports what is left.
    accessibleOf(form.command2())
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    const QList<QAccessibleInterface *> left = rowsOf(freshAccessibleOf(lista()));
    ASSERT_EQ(left.size(), 2);
    EXPECT_EQ(left[0]->text(QAccessible::Description),
              QStringLiteral("sin marcar, c1@example.org"));
    EXPECT_EQ(left[1]->text(QAccessible::Description),
              QStringLiteral("sin marcar, c3@example.org"));
}

// The announcement itself needs a platform bridge, which the offscreen platform lacks; the
// AT-SPI test (row_ticks_atspi.py) receives it from outside.
TEST_F(MainWindowAccessibility, TheRowsDescriptionFollowsEveryWayOfTicking)
{
    Form1 &form = start(addresses(QStringLiteral("c"), 3));
    QTest::mouseClick(form.command1(), Qt::LeftButton);
    ASSERT_EQ(lista()->count(), 3);

    // The space bar on the current row, as a keyboard user ticks it.
    lista()->setFocus();
    lista()->setCurrentRow(2);
    QTest::keyClick(lista(), Qt::Key_Space);
    ASSERT_EQ(lista()->item(2)->checkState(), Qt::Checked);
    EXPECT_EQ(descriptionOf(lista(), 2), QStringLiteral("marcado, c3@example.org"));
    EXPECT_EQ(descriptionOf(lista(), 1), QStringLiteral("sin marcar, c2@example.org"));

    // A mouse click on the row's check box unticks it.
    const QRect row = lista()->visualItemRect(lista()->item(2));
    QTest::mouseClick(lista()->viewport(), Qt::LeftButton, {},
                      QPoint(row.left() + 9, row.center().y()));
    ASSERT_EQ(lista()->item(2)->checkState(), Qt::Unchecked);
    EXPECT_EQ(descriptionOf(lista(), 2), QStringLiteral("sin marcar, c3@example.org"));

    // A tick set by the program reads the same; a change that is no tick leaves it.
    lista()->item(0)->setCheckState(Qt::Checked);
    lista()->item(0)->setText(QStringLiteral("Otro nombre"));
    EXPECT_EQ(descriptionOf(lista(), 0), QStringLiteral("marcado, c1@example.org"));
}
