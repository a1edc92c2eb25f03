#pragma once

#include <QObject>

class QWidget;

// Gives a window Orvalin's icon once the window has painted for the first time, then goes
// away. The icon is for the desktop's task bar and window switcher, not for the window's own
// pixels, and reading its pictures would otherwise hold up the first paint.
class DeferredWindowIcon : public QObject
{
    Q_OBJECT

public:
    explicit DeferredWindowIcon(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window;
};
