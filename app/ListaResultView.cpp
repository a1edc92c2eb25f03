#include "app/ListaResultView.h"

#include "app/RowTickAnnouncer.h"
#include "core/PlainText.h"
#include "core/ResultViewError.h"

#include <QAction>
#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QSignalBlocker>
#include <cmath>
#include <limits>

namespace {

constexpr int SeenCheckRole = Qt::UserRole + 1;

int toBarUnits(float value)
{
    const double rounded = std::nearbyint(double(value));
    return int(qBound(double(std::numeric_limits<int>::min()), rounded,
                      double(std::numeric_limits<int>::max())));
}

} // namespace

ListaResultView::ListaResultView(QListWidget *lista, QProgressBar *barra1, QGroupBox *frame2,
                                 QAction *mnDelette, QList<QIcon> imageList)
    : m_lista(lista), m_barra1(barra1), m_frame2(frame2), m_mnDelette(mnDelette),
      m_imageList(std::move(imageList))
{
    showProgress();
}

void ListaResultView::clearRows()
{
    m_lista->clear();
}

void ListaResultView::appendRow(const QString &key, const QString &text, int smallIcon)
{
    if (smallIcon < 1 || smallIcon > m_imageList.size())
        throw ResultViewError::noImage(smallIcon);
    auto *item = new QListWidgetItem(m_imageList.at(smallIcon - 1), PlainText::forDisplay(text));
    item->setData(KeyRole, key);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(SeenCheckRole, int(Qt::Unchecked));
    // Read after the row's name: whether it is ticked, and which address a tick will remove.
    item->setData(Qt::AccessibleDescriptionRole, RowTickAnnouncer::description(false, key));
    m_lista->addItem(item);
}

int ListaResultView::rowCount() const
{
    return m_lista->count();
}

QListWidgetItem *ListaResultView::row(int index) const
{
    // item() checks the range itself; asking for the count as well doubled the cost of the
    // removal's walk over the rows.
    QListWidgetItem *item = index >= 1 ? m_lista->item(index - 1) : nullptr;
    if (!item)
        throw ResultViewError::noRow(index, m_lista->count());
    return item;
}

bool ListaResultView::isRowChecked(int index) const
{
    // The state is stored as an int; checkState() would convert it to the enum through the
    // meta-type system, which made up most of a removal's cost. The same rows read as checked.
    return row(index)->data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

QString ListaResultView::rowKey(int index) const
{
    return row(index)->data(KeyRole).toString();
}

void ListaResultView::removeRow(int index)
{
    row(index);
    delete m_lista->takeItem(index - 1);
}

void ListaResultView::removeRows(const QList<int> &indexes)
{
    for (const int index : indexes)
        row(index);
    // Each run of neighbouring rows goes in one model call, from the bottom up.
    qsizetype end = indexes.size();
    while (end > 0) {
        qsizetype start = end - 1;
        while (start > 0 && indexes.at(start - 1) == indexes.at(start) - 1)
            --start;
        m_lista->model()->removeRows(indexes.at(start) - 1, int(end - start));
        end = start;
    }
}

void ListaResultView::setProgressValue(float value)
{
    m_progressValue = value;
    showProgress();
}

void ListaResultView::setProgressMax(float max)
{
    m_progressMax = max;
    showProgress();
}

void ListaResultView::showProgress()
{
    // The bar keeps the values as they were set; Qt's bar would drop an out-of-range value and
    // shows a busy animation for an empty range, so a maximum of 0 shows as an empty bar.
    const int max = toBarUnits(m_progressMax);
    m_barra1->setRange(0, max > 0 ? max : 1);
    m_barra1->setValue(qBound(0, toBarUnits(m_progressValue), m_barra1->maximum()));
}

void ListaResultView::setCaption(const QString &caption)
{
    m_frame2->setTitle(caption);
}

void ListaResultView::setDeleteMenuEnabled(bool enabled)
{
    m_mnDelette->setEnabled(enabled);
}

bool ListaResultView::takeCheckChange(QListWidgetItem *row) const
{
    const int state = int(row->checkState());
    if (row->data(SeenCheckRole).toInt() == state)
        return false;
    {
        // Recording the state would report the row as changed again.
        const QSignalBlocker blocker(m_lista);
        row->setData(SeenCheckRole, state);
        RowTickAnnouncer::describe(row, KeyRole);
    }
    RowTickAnnouncer::announce(m_lista, row);
    return true;
}
