#pragma once

#include <QString>

class QListWidget;
class QListWidgetItem;

// What assistive technology learns of a result row's check box. Qt's AT-SPI bridge drops the
// checkable state of list rows and never announces a tick, so a screen reader would read an
// unticked row as plain text and say nothing when it is ticked: the row also says it in its
// description, and each tick is announced as a change of that description and of the row's
// checked state.
class RowTickAnnouncer
{
public:
    // "marcado, ADDRESS" or "sin marcar, ADDRESS": the tick first, as it is what changes.
    static QString description(bool checked, const QString &address);

    // Brings the row's description in step with its check box; the address is read from
    // addressRole.
    static void describe(QListWidgetItem *row, int addressRole);

    // Tells assistive technology, when any is listening, that the row's tick changed.
    static void announce(QListWidget *list, QListWidgetItem *row);
};
