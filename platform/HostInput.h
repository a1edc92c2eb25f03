#pragma once

#include <QString>
#include <Qt>
#include <QtGlobal>

class QKeyEvent;
class QMouseEvent;

// How the toolkit's input reaches a control in the terms its events use: mouse buttons and
// modifier keys as bit masks, keys as Windows virtual-key codes, typed characters as codes of
// the single-byte code page.
namespace HostInput {

// The Button argument of the mouse events.
enum MouseButton : qint16 {
    NoButton = 0,
    LeftButton = 1,
    RightButton = 2,
    MiddleButton = 4,
};

// The Shift argument of the mouse and key events.
enum ShiftState : qint16 {
    NoShift = 0,
    ShiftMask = 1,
    CtrlMask = 2,
    AltMask = 4,
};

// What a mouse event passes on: for a move the buttons held, for anything else the one button
// that changed (NoButton for one the events do not report); the position in the control's
// own units (pixels, or twips for a control that counts in them).
struct MouseArgs
{
    qint16 button = NoButton;
    qint16 shift = NoShift;
    float x = 0.0f;
    float y = 0.0f;
};

// What a key event passes on: the key's virtual-key code (0 for a key that has none), the
// shift state, and the character the press typed (0 when it typed nothing).
struct KeyArgs
{
    qint16 keyCode = 0;
    qint16 shift = NoShift;
    qint16 keyAscii = 0;
};

MouseArgs mouseArgs(const QMouseEvent &event, qreal unitsPerPixel = 1.0);
KeyArgs keyArgs(const QKeyEvent &event);

// The masks of the toolkit's buttons and modifiers.
qint16 mouseButtons(Qt::MouseButtons buttons);
qint16 shiftState(Qt::KeyboardModifiers modifiers);
// The virtual-key code of a key (32 space, 37 to 40 the arrows, letters and digits their
// upper-case ASCII codes); 0 for a key that has none.
qint16 keyCode(int qtKey, Qt::KeyboardModifiers modifiers);
// The code-page code of the character a key press typed, 63 ("?") for one the code page
// lacks, as the original platform gives it; 0 when the press typed nothing.
qint16 keyAscii(const QString &text);

} // namespace HostInput
