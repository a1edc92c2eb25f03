#pragma once

#include <QObject>
#include <QPointer>

class Button;
class QWidget;

// Decides which Button a window shows as its default: the Button that has the window's
// focus, otherwise the window's chosen default (none unless one is set). Each Button of the
// window learns its flag through setDisplayAsDefault, so a Button whose flag changes redraws.
// The tracker belongs to the window it watches.
class DefaultButtonTracker : public QObject
{
    Q_OBJECT

public:
    explicit DefaultButtonTracker(QWidget *window);

    QWidget *window() const { return m_window; }
    // The Button shown as default while the focus is on no Button; nullptr for none.
    Button *chosenDefault() const { return m_chosen; }
    void setChosenDefault(Button *button);
    // The Button the window shows as its default now, or nullptr.
    Button *currentDefault() const { return m_current; }

    // Looks at the window's focus and its Buttons again; runs by itself whenever the focus
    // moves, and is for a window that has added Buttons since.
    void refresh();

private:
    QPointer<QWidget> m_window;
    QPointer<Button> m_chosen;
    QPointer<Button> m_current;
};
