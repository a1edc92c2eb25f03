#pragma once

#include "platform/UserControl.h"

// A user control that takes the toolkit's mouse, key and focus events as the host's
// notifications: each one in the host's terms (HostInput), with any error it raises trapped
// under the notification's name. Click is the host's: the mouse button pressed on the control
// is released over its region; the second press of a double click is no press of its own.
class HostInputControl : public UserControl
{
    Q_OBJECT

public:
    using UserControl::UserControl;

protected:
    virtual void handleMouseDown(qint16 button, qint16 shift, float x, float y) = 0;
    virtual void handleMouseUp(qint16 button, qint16 shift, float x, float y) = 0;
    virtual void handleClick() = 0;
    virtual void handleDblClick() = 0;
    virtual void handleMouseMove(qint16 button, float x, float y) = 0;
    virtual void handleKeyDown(qint16 keyCode, qint16 shift) = 0;
    virtual void handleKeyPress(qint16 keyAscii) = 0;
    virtual void handleKeyUp(qint16 keyCode, qint16 shift) = 0;
    virtual void handleFocus(bool gained) = 0;
    // The keys the control acts on itself; the others go on to the window.
    virtual bool isOwnKey(qint16 keyCode) const = 0;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // The toolkit button pressed on this control, until its release or a double click takes
    // its place.
    Qt::MouseButton m_pressedButton = Qt::NoButton;
};
