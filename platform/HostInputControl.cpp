#include "controls/button/HostInputControl.h"

#include "platform/HostInput.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>

void HostInputControl::mousePressEvent(QMouseEvent *event)
{
    const HostInput::MouseArgs args = HostInput::mouseArgs(*event);
    if (args.button == HostInput::NoButton) {
        event->ignore();
        return;
    }
    m_pressedButton = event->button();
    trapErrors("MouseDown", [&] { handleMouseDown(args.button, args.shift, args.x, args.y); });
}

void HostInputControl::mouseReleaseEvent(QMouseEvent *event)
{
    const HostInput::MouseArgs args = HostInput::mouseArgs(*event);
    if (args.button == HostInput::NoButton) {
        event->ignore();
        return;
    }
    const QPointF at = event->position();
    const bool click = m_pressedButton == event->button() &&
                       containsPixel(int(std::floor(at.x())), int(std::floor(at.y())));
    if (m_pressedButton == event->button())
        m_pressedButton = Qt::NoButton;
    trapErrors("MouseUp", [&] {
        handleMouseUp(args.button, args.shift, args.x, args.y);
        if (click)
            handleClick();
    });
}

void HostInputControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressedButton = Qt::NoButton;
    if (HostInput::mouseArgs(*event).button == HostInput::NoButton) {
        event->ignore();
        return;
    }
    trapErrors("DblClick", [this] { handleDblClick(); });
}

void HostInputControl::mouseMoveEvent(QMouseEvent *event)
{
    const HostInput::MouseArgs args = HostInput::mouseArgs(*event);
    trapErrors("MouseMove", [&] { handleMouseMove(args.button, args.x, args.y); });
}

void HostInputControl::keyPressEvent(QKeyEvent *event)
{
    const HostInput::KeyArgs args = HostInput::keyArgs(*event);
    if (args.keyCode == 0 && args.keyAscii == 0) {
        event->ignore();
        return;
    }
    trapErrors("KeyDown", [&] {
        if (args.keyCode != 0)
            handleKeyDown(args.keyCode, args.shift);
        if (args.keyAscii != 0)
            handleKeyPress(args.keyAscii);
    });
    // Keys of no meaning to the control still reach the window.
    event->setAccepted(isOwnKey(args.keyCode));
}

void HostInputControl::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats its key-down only; the one key-up comes with the real release.
    if (event->isAutoRepeat())
        return;
    const HostInput::KeyArgs args = HostInput::keyArgs(*event);
    if (args.keyCode == 0) {
        event->ignore();
        return;
    }
    trapErrors("KeyUp", [&] { handleKeyUp(args.keyCode, args.shift); });
    event->setAccepted(isOwnKey(args.keyCode));
}

void HostInputControl::focusInEvent(QFocusEvent *event)
{
    trapErrors("GotFocus", [this] { handleFocus(true); });
    UserControl::focusInEvent(event);
}

void HostInputControl::focusOutEvent(QFocusEvent *event)
{
    trapErrors("LostFocus", [this] { handleFocus(false); });
    UserControl::focusOutEvent(event);
}
