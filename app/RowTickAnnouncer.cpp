#include "app/RowTickAnnouncer.h"

#include "core/PlainText.h"

#include <QAccessible>
#include <QListWidget>

QString RowTickAnnouncer::description(bool checked, const QString &address)
{
    return (checked ? QStringLiteral("marcado, ") : QStringLiteral("sin marcar, ")) +
           PlainText::forDisplay(address);
}

void RowTickAnnouncer::describe(QListWidgetItem *row, int addressRole)
{
    const bool checked = row->data(Qt::CheckStateRole).toInt() == Qt::Checked;
    const QString text = description(checked, row->data(addressRole).toString());
    // Writing the same text again would still tell the views the row changed.
    if (row->data(Qt::AccessibleDescriptionRole).toString() != text)
        row->setData(Qt::AccessibleDescriptionRole, text);
}

void RowTickAnnouncer::announce(QListWidget *list, QListWidgetItem *row)
{
    if (!QAccessible::isActive())
        return;
    const int index = list->row(row);
    if (index < 0)
        return;
    // A list view's accessible children are its rows, in order.
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent checkedEvent(list, changed);
    checkedEvent.setChild(index);
    QAccessible::updateAccessibility(&checkedEvent);
    QAccessibleEvent describedEvent(list, QAccessible::DescriptionChanged);
    describedEvent.setChild(index);
    QAccessible::updateAccessibility(&describedEvent);
}
