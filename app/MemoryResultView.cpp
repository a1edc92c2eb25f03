#include "app/MemoryResultView.h"

#include <stdexcept>

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
        throw std::out_of_range("Result row " + std::to_string(index) + " of " +
                                std::to_string(m_rows.size()) + " does not exist");
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

void MemoryResultView::setRowChecked(int index, bool checked)
{
    row(index);
    m_rows[index - 1].checked = checked;
}
