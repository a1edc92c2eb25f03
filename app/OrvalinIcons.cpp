#include "app/OrvalinIcons.h"

#include "app/StoredWindows.h"

#include <QPainter>
#include <QPixmap>

QIcon OrvalinIcons::windowIcon()
{
    StoredWindows::registerResources();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/icons/orvalin-%1.png").arg(size), QSize(size, size));
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
