#include "app/OrvalinIcons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>

namespace {

QPixmap windowPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    // The banner's colours: black into red.
    QLinearGradient gradient(0, size, 0, 0);
    gradient.setColorAt(0, Qt::black);
    gradient.setColorAt(1, QColor(255, 0, 0));
    painter.setBrush(gradient);
    painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(QRectF(0, 0, size, size), size / 6.0, size / 6.0);
    painter.setPen(QPen(Qt::white, size / 8.0));
    painter.setBrush(Qt::NoBrush);
    const qreal m = size / 4.0;
    painter.drawEllipse(QRectF(m, m, size - 2 * m, size - 2 * m));
    return pixmap;
}

} // namespace

QIcon OrvalinIcons::windowIcon()
{
    QIcon icon;
    icon.addPixmap(windowPixmap(16));
    icon.addPixmap(windowPixmap(32));
    return icon;
}

QIcon OrvalinIcons::rowImage()
{
    // A grey figure with a red cross: someone who left.
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x80, 0x80, 0x80));
    painter.drawEllipse(QRectF(4, 1, 6, 6));
    painter.drawRoundedRect(QRectF(2, 8, 10, 7), 3, 3);
    painter.setPen(QPen(QColor(255, 0, 0), 2));
    painter.drawLine(QPointF(10, 9), QPointF(15, 14));
    painter.drawLine(QPointF(15, 9), QPointF(10, 14));
    return QIcon(pixmap);
}
