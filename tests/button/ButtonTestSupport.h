#pragma once

#include "controls/button/Button.h"

#include <QCoreApplication>
#include <QResizeEvent>

#include <vector>

// The host's Resize notification, also for a window that is not shown.
inline void sizeButton(Button &button, int width, int height)
{
    const QSize old = button.size();
    button.resize(width, height);
    QResizeEvent event(QSize(width, height), old);
    QCoreApplication::sendEvent(&button, &event);
    button.setAttribute(Qt::WA_PendingResizeEvent, false);
}

// A fresh instance, sized: the way a designer places a button.
inline void placeButton(Button &button, int width = 75, int height = 23)
{
    button.InitProperties();
    sizeButton(button, width, height);
}

// Records what each redraw asked the style to draw, and in which conditions.
class RecordingButton : public Button
{
public:
    using Button::Button;
    struct Call
    {
        ButtonLook look;
        bool focused;
        bool displayAsDefault;
        ColorRef textColor; // the surface's text colour as the style starts
        bool windowEnabled;
    };
    std::vector<Call> calls;
    // How many redraws actually drew.
    int redrawCount() const { return int(calls.size()); }

protected:
    void paintStyle(ButtonPainter &painter, ButtonLook look) override
    {
        calls.push_back({look, painter.focused(), painter.displayAsDefault(),
                         painter.surface().textColor(), isEnabled()});
        Button::paintStyle(painter, look);
    }
};
