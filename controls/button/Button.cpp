#include "controls/button/Button.h"

#include "controls/button/AccessKey.h"
#include "controls/button/ButtonAccessible.h"
#include "controls/button/ButtonOutline.h"
#include "controls/button/ButtonStyles.h"
#include "platform/HostInput.h"
#include "platform/SystemColors.h"
#include "platform/base/Checked.h"

#include <QAccessible>

#include <cmath>
#include <limits>

namespace {

const QString keyButtonType = QStringLiteral("BTYPE");
const QString keyCaption = QStringLiteral("TX");
const QString keyEnabled = QStringLiteral("ENAB");
const QString keyFont = QStringLiteral("FONT");
const QString keyColorScheme = QStringLiteral("COLTYPE");
const QString keyShowFocusRect = QStringLiteral("FOCUSR");
const QString keyBackColor = QStringLiteral("BCOL");
const QString keyForeColor = QStringLiteral("FCOL");

constexpr qint16 keySpace = 32;
constexpr qint16 keyLeft = 37;
constexpr qint16 keyUp = 38;
constexpr qint16 keyRight = 39;
constexpr qint16 keyDown = 40;

// Colours are saved as signed 32-bit numbers, so a system colour such as 0x80000012 is
// negative. A description written by hand may give the same value unsigned; both load.
ColorRef readColor(const PropertyBag &bag, const QString &key, ColorRef defaultValue)
{
    const QVariant stored = bag.readProperty(key);
    if (stored.isValid() && stored.typeId() != QMetaType::Bool) {
        bool ok = false;
        const double value = stored.toDouble(&ok);
        if (ok && value > double(std::numeric_limits<qint32>::max()) &&
            value <= double(std::numeric_limits<quint32>::max()) && value == std::trunc(value))
            return ColorRef(value);
    }
    return ColorRef(bag.readInt32(key, qint32(defaultValue)));
}

} // namespace

Button::Button(QWidget *parent) : HostInputControl(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    m_lastMouseButton = HostInput::LeftButton;
    m_pressedTextRect.left = 2;
    m_pressedTextRect.top = 2;
    SetColors(); // ColorScheme is still 0: the system palette
    ButtonAccessible::installFactory();
}

Button::~Button() = default;

void Button::InitProperties()
{
    m_enabled = VbTrue;
    m_showFocusRect = VbTrue;
    m_font = surface().font();
    m_buttonType = Classic;
    m_colorScheme = SystemColorsScheme;
    m_backColor = SystemColors::sysColor(SystemColors::BtnFace);
    m_foreColor = SystemColors::sysColor(SystemColors::BtnText);
}

void Button::ReadProperties(const PropertyBag &bag)
{
    m_buttonType = bag.readInt32(keyButtonType, Classic);
    m_caption = bag.readString(keyCaption, QString());
    m_enabled = toVbBool(bag.readBool(keyEnabled, true));
    m_font = bag.readFont(keyFont, surface().font());
    m_colorScheme = bag.readInt32(keyColorScheme, SystemColorsScheme);
    m_showFocusRect = toVbBool(bag.readBool(keyShowFocusRect, true));
    m_backColor = readColor(bag, keyBackColor, SystemColors::sysColor(SystemColors::BtnFace));
    m_foreColor = readColor(bag, keyForeColor, SystemColors::sysColor(SystemColors::BtnText));

    setEnabled(m_enabled != VbFalse);
    surface().setFont(m_font);
    SetColors();
    UpdateAccessKeys();
    Redraw(StateUp, VbTrue);
}

void Button::WriteProperties(PropertyBag &bag) const
{
    bag.writeProperty(keyButtonType, m_buttonType);
    bag.writeProperty(keyCaption, m_caption);
    bag.writeProperty(keyEnabled, m_enabled != VbFalse);
    bag.writeProperty(keyFont, QVariant::fromValue(m_font));
    bag.writeProperty(keyColorScheme, m_colorScheme);
    bag.writeProperty(keyShowFocusRect, m_showFocusRect != VbFalse);
    bag.writeProperty(keyBackColor, qint32(m_backColor));
    bag.writeProperty(keyForeColor, qint32(m_foreColor));
}

void Button::setBackColor(ColorRef theCol)
{
    m_backColor = theCol;
    SetColors();
    Redraw(m_lastState, VbTrue);
    Q_EMIT propertyChanged(keyBackColor);
}

void Button::setForeColor(ColorRef theCol)
{
    m_foreColor = theCol;
    SetColors();
    Redraw(m_lastState, VbTrue);
    Q_EMIT propertyChanged(keyForeColor);
}

void Button::setButtonType(qint32 newValue)
{
    // The outline keeps the old corners until the next resize.
    m_buttonType = newValue;
    Redraw(StateUp, VbTrue);
    Q_EMIT propertyChanged(keyButtonType);
}

void Button::setCaption(const QString &newValue)
{
    m_caption = newValue;
    UpdateAccessKeys();
    Redraw(StateUp, VbTrue);
    announce(QAccessible::NameChanged);
    Q_EMIT propertyChanged(keyCaption);
}

void Button::setButtonEnabled(qint16 newValue)
{
    const bool wasAvailable = m_enabled == VbTrue;
    m_enabled = newValue;
    Redraw(StateUp, VbTrue);
    setEnabled(newValue != VbFalse);
    if (wasAvailable != (newValue == VbTrue)) {
        QAccessible::State changed;
        changed.disabled = true;
        announceState(changed);
    }
    Q_EMIT propertyChanged(keyEnabled);
}

void Button::setButtonFont(const StdFont &newFont)
{
    m_font = newFont;
    surface().setFont(m_font);
    Redraw(StateUp, VbTrue);
    Q_EMIT propertyChanged(keyFont);
}

void Button::setColorScheme(qint32 newValue)
{
    m_colorScheme = newValue;
    SetColors();
    Redraw(StateUp, VbTrue);
    Q_EMIT propertyChanged(keyColorScheme);
}

void Button::setShowFocusRect(qint16 newValue)
{
    m_showFocusRect = newValue;
    Redraw(m_lastState, VbTrue);
    Q_EMIT propertyChanged(keyShowFocusRect);
}

void Button::SetColors()
{
    m_palette = paletteForScheme(m_colorScheme, m_backColor, m_foreColor);
}

void Button::Redraw(quint8 state, qint16 force)
{
    if (m_cachedHeight == 0)
        return;
    if (force == VbFalse && state == m_lastState && m_caption == m_lastCaption)
        return;
    const bool pressedChanged = (state == StateDown) != (m_lastState == StateDown);
    m_lastState = state;
    m_lastCaption = m_caption;

    const qint32 w = m_cachedWidth;
    const qint32 h = m_cachedHeight;
    ButtonPainter::State frame;
    frame.width = w;
    frame.height = h;
    frame.palette = m_palette;
    frame.caption = m_caption;
    frame.fontBold = m_font.bold();
    // A focused control shows its cue only while ShowFocusRect allows it; HasFocus itself
    // keeps telling whether the control has the focus.
    frame.focused = m_hasFocus && m_showFocusRect != VbFalse;
    frame.displayAsDefault = displayAsDefault();
    frame.textRect = m_textRect;
    frame.pressedTextRect = m_pressedTextRect;
    frame.focusRect = m_focusRect;
    ButtonPainter painter(surface(), frame);

    surface().clear();
    painter.fill(0, 0, w, h, m_palette.faceColor);
    if (m_enabled == VbTrue) {
        painter.setTextColor(m_palette.textColor);
        if (state == StateUp)
            paintStyle(painter, ButtonLook::Up);
        else if (state == StateDown)
            paintStyle(painter, ButtonLook::Pressed);
    } else {
        paintStyle(painter, ButtonLook::Disabled);
    }
    update();
    if (pressedChanged) {
        QAccessible::State changed;
        changed.pressed = true;
        announceState(changed);
    }
}

void Button::announce(QAccessible::Event change)
{
    QAccessibleEvent event(this, change);
    QAccessible::updateAccessibility(&event);
}

void Button::announceState(QAccessible::State changed)
{
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Button::paintStyle(ButtonPainter &painter, ButtonLook look)
{
    paintButtonStyle(painter, m_buttonType, look);
}

void Button::UpdateAccessKeys()
{
    setAccessKeys(accessKeyOf(m_caption));
}

void Button::BuildOutlineRegion()
{
    m_outlineRegion = buttonOutline(m_buttonType, m_cachedWidth, m_cachedHeight);
}

void Button::hostResize()
{
    trapErrors("Resize", [this] {
        m_cachedHeight = Checked::round<qint32>(double(surface().height()));
        m_cachedWidth = Checked::round<qint32>(double(surface().width()));
        m_textRect.right = m_cachedWidth;
        m_textRect.bottom = m_cachedHeight;
        m_pressedTextRect.right = m_cachedWidth;
        m_pressedTextRect.bottom = m_cachedHeight;
        m_focusRect =
            WinRect{3, 3, Checked::sub(m_cachedWidth, 3), Checked::sub(m_cachedHeight, 3)};
        BuildOutlineRegion();
        setWindowRegion(m_outlineRegion);
        Redraw(StateUp, VbTrue);
    });
}

void Button::HandleMouseDown(qint16 button, qint16 shift, float x, float y)
{
    m_lastMouseButton = Checked::narrow<quint8>(button);
    if (button != HostInput::RightButton)
        Redraw(StateDown, VbFalse);
    Q_EMIT MouseDown(button, shift, x, y);
}

void Button::HandleMouseUp(qint16 button, qint16 shift, float x, float y)
{
    if (button != HostInput::RightButton)
        Redraw(StateUp, VbFalse);
    Q_EMIT MouseUp(button, shift, x, y);
}

void Button::HandleClick()
{
    if (m_lastMouseButton != HostInput::LeftButton || m_enabled != VbTrue)
        return;
    Redraw(StateUp, VbTrue);
    // The released look is on the screen before the window's handler runs.
    refresh();
    Q_EMIT Click();
}

void Button::performClick()
{
    if (!isEnabled())
        return;
    trapErrors("Click", [this] {
        HandleMouseDown(HostInput::LeftButton, HostInput::NoShift, 1.0f, 1.0f);
        HandleMouseUp(HostInput::LeftButton, HostInput::NoShift, 1.0f, 1.0f);
        HandleClick();
    });
}

void Button::hostDblClick()
{
    if (m_lastMouseButton == HostInput::LeftButton)
        HandleMouseDown(HostInput::LeftButton, HostInput::ShiftMask, 1.0f, 1.0f);
}

void Button::hostMouseMove(qint16 button, qint16 shift, float x, float y)
{
    Q_UNUSED(shift); // the button looks the same with any modifier held
    if (button >= HostInput::RightButton)
        return;
    const bool inside =
        x >= 0.0f && y >= 0.0f && x <= float(m_cachedWidth) && y <= float(m_cachedHeight);
    if (!inside)
        Redraw(StateUp, VbFalse);
    else if (button == HostInput::LeftButton)
        Redraw(StateDown, VbFalse);
}

void Button::hostKeyDown(qint16 keyCode, qint16 shift)
{
    if (keyCode == keySpace)
        HandleMouseDown(HostInput::LeftButton, HostInput::ShiftMask, 1.0f, 1.0f);
    else if (keyCode == keyRight || keyCode == keyDown)
        focusNextPrevChild(true);
    else if (keyCode == keyLeft || keyCode == keyUp)
        focusNextPrevChild(false);
    Q_EMIT KeyDown(keyCode, shift);
}

void Button::hostKeyUp(qint16 keyCode, qint16 shift)
{
    if (keyCode == keySpace) {
        HandleMouseUp(HostInput::LeftButton, HostInput::ShiftMask, 1.0f, 1.0f);
        m_lastMouseButton = HostInput::LeftButton;
        HandleClick();
    }
    Q_EMIT KeyUp(keyCode, shift);
}

void Button::hostKeyPress(qint16 keyAscii)
{
    Q_EMIT KeyPress(keyAscii);
}

bool Button::isOwnKey(qint16 keyCode) const
{
    return keyCode == keySpace || (keyCode >= keyLeft && keyCode <= keyDown);
}

void Button::hostFocus(bool gained)
{
    m_hasFocus = gained;
    Redraw(m_lastState, VbTrue);
}

void Button::accessKeyPressEvent(int keyAscii)
{
    Q_UNUSED(keyAscii); // any of the access keys clicks
    trapErrors("AccessKeyPress", [this] { HandleClick(); });
}

void Button::ambientChangedEvent(const QString &name)
{
    Q_UNUSED(name); // the drawing reads every ambient value it needs
    Redraw(m_lastState, VbTrue);
}
