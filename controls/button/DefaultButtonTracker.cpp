#include "controls/button/DefaultButtonTracker.h"

#include "controls/button/Button.h"

#include <QApplication>
#include <QWidget>

DefaultButtonTracker::DefaultButtonTracker(QWidget *window) : QObject(window), m_window(window)
{
    connect(qApp, &QApplication::focusChanged, this, [this] { refresh(); });
    refresh();
}

void DefaultButtonTracker::setChosenDefault(Button *button)
{
    m_chosen = button;
    refresh();
}

void DefaultButtonTracker::refresh()
{
    if (!m_window)
        return;
    const QList<Button *> buttons = m_window->findChildren<Button *>();
    // The window's focus child, kept even while the window is inactive.
    Button *focused = qobject_cast<Button *>(m_window->focusWidget());
    if (focused && !buttons.contains(focused))
        focused = nullptr;
    Button *chosen = buttons.contains(m_chosen.data()) ? m_chosen.data() : nullptr;
    m_current = focused ? focused : chosen;
    // Clear the old default before setting the new one, so no moment shows two.
    for (Button *button : buttons) {
        if (button != m_current)
            button->setDisplayAsDefault(false);
    }
    if (m_current)
        m_current->setDisplayAsDefault(true);
}
