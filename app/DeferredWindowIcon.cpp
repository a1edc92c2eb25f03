#include "app/DeferredWindowIcon.h"

#include "app/OrvalinIcons.h"

#include <QEvent>
#include <QWidget>

DeferredWindowIcon::DeferredWindowIcon(QWidget *window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool DeferredWindowIcon::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Paint) {
        m_window->removeEventFilter(this);
        // Queued: the paint runs to its end first.
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_window->setWindowIcon(OrvalinIcons::windowIcon());
                deleteLater();
            },
            Qt::QueuedConnection);
    }
    return false;
}
