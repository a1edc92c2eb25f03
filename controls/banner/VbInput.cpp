#include "controls/banner/VbInput.h"

#include <iterator>

qint16 VbInput::shiftState(Qt::KeyboardModifiers modifiers)
{
    qint16 state = 0;
    if (modifiers & Qt::ShiftModifier)
        state |= 1;
    if (modifiers & Qt::ControlModifier)
        state |= 2;
    if (modifiers & Qt::AltModifier)
        state |= 4;
    return state;
}

qint16 VbInput::mouseButton(Qt::MouseButton button)
{
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

qint16 VbInput::mouseButtons(Qt::MouseButtons buttons)
{
    qint16 state = 0;
    for (const Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & b)
            state |= mouseButton(b);
    }
    return state;
}

qint16 VbInput::keyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9))
        return qint16(qtKey); // the toolkit uses the upper-case ASCII codes, as the keys do
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return qint16(0x70 + (qtKey - Qt::Key_F1));
    struct Pair
    {
        int qt;
        qint16 vk;
    };
    static constexpr Pair table[] = {
        {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},       {Qt::Key_Backtab, 0x09},
        {Qt::Key_Clear, 0x0C},     {Qt::Key_Return, 0x0D},    {Qt::Key_Enter, 0x0D},
        {Qt::Key_Shift, 0x10},     {Qt::Key_Control, 0x11},   {Qt::Key_Alt, 0x12},
        {Qt::Key_Pause, 0x13},     {Qt::Key_CapsLock, 0x14},  {Qt::Key_Escape, 0x1B},
        {Qt::Key_Space, 0x20},     {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22},
        {Qt::Key_End, 0x23},       {Qt::Key_Home, 0x24},      {Qt::Key_Left, 0x25},
        {Qt::Key_Up, 0x26},        {Qt::Key_Right, 0x27},     {Qt::Key_Down, 0x28},
        {Qt::Key_Print, 0x2C},     {Qt::Key_Insert, 0x2D},    {Qt::Key_Delete, 0x2E},
        {Qt::Key_Help, 0x2F},      {Qt::Key_Meta, 0x5B},      {Qt::Key_Menu, 0x5D},
        {Qt::Key_NumLock, 0x90},   {Qt::Key_ScrollLock, 0x91}};
    for (const Pair &p : table) {
        if (p.qt == qtKey)
            return p.vk;
    }
    return 0;
}
