#include "app/ScreenCentre.h"

#include <QScreen>
#include <QWidget>

void moveToScreenCentre(QWidget *window)
{
    const QScreen *screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}
