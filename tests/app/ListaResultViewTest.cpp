#include "app/ListaResultView.h"
#include "core/ResultViewError.h"
#include "tests/support/ResultWindow.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <gtest/gtest.h>

#include <functional>
#include <limits>

TEST(ListaResultView, ReadsTheCheckStateHoweverTheRowWasTicked)
{
    ResultWindow window;
    window.appendRows(5);
    QListWidget &lista = window.lista;
    // The row's own setter stores an int; a click goes through the model, which may hand over
    // the enum itself.
    lista.item(1)->setCheckState(Qt::Checked);
    lista.model()->setData(lista.model()->index(2, 0), QVariant::fromValue(Qt::Checked),
                           Qt::CheckStateRole);
    lista.item(3)->setCheckState(Qt::PartiallyChecked);
    lista.item(4)->setCheckState(Qt::Checked);
    lista.item(4)->setCheckState(Qt::Unchecked);

    QList<bool> checked;
    for (int j = 1; j <= window.view.rowCount(); ++j)
        checked.append(window.view.isRowChecked(j));
    EXPECT_EQ(checked, QList<bool>({false, true, true, false, false}));
    EXPECT_EQ(window.view.rowKey(3), QStringLiteral("c3@example.org"));
}

TEST(ListaResultView, RowsOutsideTheListAreRefusedByNumber)
{
    ResultWindow window;
    window.appendRows(3);
    const int outside[] = {0, 4, -1, std::numeric_limits<int>::min(),
                           std::numeric_limits<int>::max()};
    for (int index : outside) {
        const QString where =
            QStringLiteral("La fila %1 del resultado no existe (hay 3)").arg(index);
        for (const auto &use : {std::function<void()>([&] { window.view.isRowChecked(index); }),
                                std::function<void()>([&] { window.view.rowKey(index); }),
                                std::function<void()>([&] { window.view.removeRow(index); })}) {
            try {
                use();
                ADD_FAILURE() << "no error for row " << index;
            } catch (const ResultViewError &error) {
                EXPECT_EQ(error.message(), where);
            }
        }
    }
    EXPECT_EQ(window.lista.count(), 3);

    // The last row can go, and then its number is outside too.
    window.view.removeRow(3);
    EXPECT_EQ(window.view.rowKey(2), QStringLiteral("c2@example.org"));
    EXPECT_THROW(window.view.rowKey(3), ResultViewError);
    window.view.clearRows();
    EXPECT_THROW(window.view.isRowChecked(1), ResultViewError);
}

TEST(ListaResultView, AnImageOutsideTheListIsRefusedByNumberAndAddsNoRow)
{
    ResultWindow window;
    for (int smallIcon : {0, 2}) {
        try {
            window.view.appendRow(QStringLiteral("a@example.org"), QStringLiteral("A"), smallIcon);
            ADD_FAILURE() << "no error for image " << smallIcon;
        } catch (const Error &error) {
            EXPECT_EQ(
                error.message(),
                QStringLiteral("La imagen %1 no está en la lista de imágenes").arg(smallIcon));
        }
    }
    EXPECT_EQ(window.lista.count(), 0);
}
