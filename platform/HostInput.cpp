#include "platform/HostInput.h"

#include "platform/AnsiText.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Virtual-key codes of the keys whose code differs from their Qt value.
struct KeyPair
{
    int qtKey;
    qint16 code;
};

constexpr KeyPair namedKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13},
    {Qt::Key_Enter, 13},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27},
    {Qt::Key_Space, 32},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, 37},
    {Qt::Key_Up, 38},
    {Qt::Key_Right, 39},
    {Qt::Key_Down, 40},
    {Qt::Key_Select, 41},
    {Qt::Key_Print, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    // Punctuation of a US keyboard, shifted or not, as its OEM key.
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Colon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Plus, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Less, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Greater, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_Question, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_Bar, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_Apostrophe, 222},
    {Qt::Key_QuoteDbl, 222},
    // Shifted digits of a US keyboard.
    {Qt::Key_Exclam, '1'},
    {Qt::Key_At, '2'},
    {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},
    {Qt::Key_Percent, '5'},
    {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},
    {Qt::Key_Asterisk, '8'},
    {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

// The number pad has codes of its own for its digits and operators.
qint16 keypadCode(int qtKey)
{
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qint16(96 + (qtKey - Qt::Key_0));
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return 106;
    case Qt::Key_Plus:
        return 107;
    case Qt::Key_Minus:
        return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 110;
    case Qt::Key_Slash:
        return 111;
    default:
        return 0;
    }
}

} // namespace

qint16 HostInput::mouseButtons(Qt::MouseButtons buttons)
{
    qint16 mask = 0;
    if (buttons & Qt::LeftButton)
        mask |= LeftButton;
    if (buttons & Qt::RightButton)
        mask |= RightButton;
    if (buttons & Qt::MiddleButton)
        mask |= MiddleButton;
    return mask;
}

qint16 HostInput::shiftState(Qt::KeyboardModifiers modifiers)
{
    qint16 mask = 0;
    if (modifiers & Qt::ShiftModifier)
        mask |= ShiftMask;
    if (modifiers & Qt::ControlModifier)
        mask |= CtrlMask;
    if (modifiers & Qt::AltModifier)
        mask |= AltMask;
    return mask;
}

qint16 HostInput::keyCode(int qtKey, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & Qt::KeypadModifier) {
        if (const qint16 code = keypadCode(qtKey))
            return code;
    }
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qint16(qtKey); // the same codes as upper-case ASCII
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return qint16(112 + (qtKey - Qt::Key_F1));
    for (const KeyPair &pair : namedKeys) {
        if (pair.qtKey == qtKey)
            return pair.code;
    }
    return 0;
}

qint16 HostInput::keyAscii(const QString &text)
{
    if (text.isEmpty())
        return 0;
    return qint16(AnsiText::code(text.at(0)).value_or(quint8('?')));
}

HostInput::MouseArgs HostInput::mouseArgs(const QMouseEvent &event, qreal unitsPerPixel)
{
    MouseArgs args;
    args.button =
        mouseButtons(event.type() == QEvent::MouseMove ? event.buttons() : event.button());
    args.shift = shiftState(event.modifiers());
    args.x = float(event.position().x() * unitsPerPixel);
    args.y = float(event.position().y() * unitsPerPixel);
    return args;
}

HostInput::KeyArgs HostInput::keyArgs(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    KeyArgs args;
    args.keyCode = keyCode(event.key(), modifiers);
    args.shift = shiftState(modifiers);
    // Alt with a character is a menu or access key, which types nothing; AltGr (Control and
    // Alt together) types as usual.
    const bool typesText = !(modifiers & Qt::AltModifier) || (modifiers & Qt::ControlModifier);
    if (typesText && event.type() == QEvent::KeyPress)
        args.keyAscii = keyAscii(event.text());
    return args;
}
