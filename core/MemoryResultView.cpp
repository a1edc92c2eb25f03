#include "core/MemoryResultView.h"

#include "core/ResultViewError.h"

void MemoryResultView::clearRows()
{
    m_rows.clear();
}

void MemoryResultView::appendRow(const QString &key, const QString &text, int smallIcon)
{
    m_rows.append({key, text, smallIcon, false});
}

int MemoryResultView::rowCount() const
{
    return int(m_rows.size());
}

const MemoryResultView::Row &MemoryResultView::row(int index) const
{
    if (index < 1 || index > m_rows.size())
        throw ResultViewError::noRow(index, m_rows.size());
    return m_rows.at(index - 1);
}

bool MemoryResultView::isRowChecked(int index) const
{
    return row(index).checked;
}

QString MemoryResultView::rowKey(int index) const
{
    return row(index).key;
}

void MemoryResultView::removeRow(int index)
{
    row(index);
    m_rows.removeAt(index - 1);
}

void MemoryResultView::removeRows(const QList<int> &indexes)
{
    for (const int index : indexes)
        row(index);
    // One pass that keeps the other rows, instead of closing the gap once per row.
    qsizetype next = 0;
    qsizetype kept = 0;
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (next < indexes.size() && indexes.at(next) == i + 1) {
            ++next;
            continue;
        }
        if (kept != i)
            m_rows[kept] = std::move(m_rows[i]);
        ++kept;
    }
    m_rows.resize(kept);
}

void MemoryResultView::setRowChecked(int index, bool checked)
{
    row(index);
    m_rows[index - 1].checked = checked;
}
