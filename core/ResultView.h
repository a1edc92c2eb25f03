#pragma once

#include <QList>
#include <QString>

// What the contact scan and the removal see of the window: the result list (rows at 1-based
// indexes, each with a Key, a Text, a small icon and a check box), the progress bar, the caption
// over the list and the delete menu item. The window and the command-line tool each supply one.
class ResultView
{
public:
    ResultView() = default;
    virtual ~ResultView();
    ResultView(const ResultView &) = delete;
    ResultView &operator=(const ResultView &) = delete;

    virtual void clearRows() = 0;
    // A new row is unchecked and goes at the end.
    virtual void appendRow(const QString &key, const QString &text, int smallIcon) = 0;
    virtual int rowCount() const = 0;
    virtual bool isRowChecked(int index) const = 0;
    virtual QString rowKey(int index) const = 0;
    virtual void removeRow(int index) = 0;
    // Removes the rows at the given indexes, which are in increasing order; the same as
    // removing each from the bottom up, which views may do in one step.
    virtual void removeRows(const QList<int> &indexes);

    virtual float progressValue() const = 0;
    virtual void setProgressValue(float value) = 0;
    virtual void setProgressMax(float max) = 0;

    virtual void setCaption(const QString &caption) = 0;
    virtual void setDeleteMenuEnabled(bool enabled) = 0;
};
