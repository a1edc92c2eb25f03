#include "core/ResultView.h"

ResultView::~ResultView() = default;

void ResultView::removeRows(const QList<int> &indexes)
{
    for (auto index = indexes.crbegin(); index != indexes.crend(); ++index)
        removeRow(*index);
}
