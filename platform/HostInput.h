#pragma once

#include <QString>
#include <Qt>
#include <QtGlobal>

// How the toolkit's input reaches a control in the terms its events use: mouse buttons and
// modifier keys as bit masks, keys as Windows virtual-key codes, typed characters as ANSI
// codes.
namespace HostInput {

// 1 left, 2 right, 4 middle; other buttons are not reported.
qint16 mouseButtons(Qt::MouseButtons buttons);
// 1 Shift, 2 Control, 4 Alt.
qint16 shiftState(Qt::KeyboardModifiers modifiers);
// The virtual-key code of a key (32 space, 37 to 40 the arrows, letters and digits their
// upper-case ASCII codes); 0 for a key that has none.
qint16 keyCode(int qtKey, Qt::KeyboardModifiers modifiers);
// The ANSI code of the character a key press typed, '?' for one outside Latin-1; 0 when the
// press typed nothing.
qint16 keyAscii(const QString &text);

} // namespace HostInput
