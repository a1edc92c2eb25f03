#pragma once

#include <Qt>
#include <QtGlobal>

// The argument values the banner's keyboard and mouse events carry to their handlers.
namespace VbInput {

// Shift argument: 1 Shift, 2 Ctrl, 4 Alt, added together.
qint16 shiftState(Qt::KeyboardModifiers modifiers);
// Button argument of one button: 1 left, 2 right, 4 middle, 0 for any other.
qint16 mouseButton(Qt::MouseButton button);
// Button argument of MouseMove: the buttons held down, added together.
qint16 mouseButtons(Qt::MouseButtons buttons);
// KeyCode argument: the virtual-key code of the key, 0 for a key without one.
qint16 keyCode(int qtKey);

} // namespace VbInput
