#pragma once

#include "controls/button/ButtonPainter.h"
#include "controls/button/ButtonPalette.h"
#include "platform/HostInputControl.h"
#include "platform/PropertyBag.h"
#include "platform/StdFont.h"
#include "platform/WinTypes.h"

#include <QAccessible>
#include <QRegion>
#include <QString>

// The owner-drawn push button: seven drawing styles, three colour schemes, its own access
// key, and a window outline with cut corners for the styles that round them. Every change is
// drawn at once on the retained surface; nothing is drawn on a repaint.
class Button : public HostInputControl
{
    Q_OBJECT
    Q_PROPERTY(quint32 BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(quint32 ForeColor READ foreColor WRITE setForeColor)
    Q_PROPERTY(qint32 ButtonType READ buttonType WRITE setButtonType)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(qint16 Enabled READ buttonEnabled WRITE setButtonEnabled)
    Q_PROPERTY(StdFont Font READ buttonFont WRITE setButtonFont)
    Q_PROPERTY(qint32 ColorScheme READ colorScheme WRITE setColorScheme)
    Q_PROPERTY(qint16 ShowFocusRect READ showFocusRect WRITE setShowFocusRect)
    Q_PROPERTY(quintptr hwnd READ hwnd)

public:
    // Visual states passed to Redraw.
    static constexpr quint8 StateUp = 0;
    static constexpr quint8 StateDown = 2;

    // Initialize: the system palette, LastMouseButton 1, the pressed caption box at (2, 2).
    explicit Button(QWidget *parent = nullptr);
    ~Button() override;

    // A new instance placed on a window: the defaults, nothing recomputed or drawn.
    void InitProperties();
    // Loads the eight saved keys in order, then applies them and draws. A saved value that
    // cannot be converted throws PropertyError naming its key; the keys read before it keep
    // their new values.
    void ReadProperties(const PropertyBag &bag);
    // Saves all eight keys with their current values.
    void WriteProperties(PropertyBag &bag) const;

    ColorRef backColor() const { return m_backColor; }
    void setBackColor(ColorRef theCol);
    ColorRef foreColor() const { return m_foreColor; }
    void setForeColor(ColorRef theCol);
    qint32 buttonType() const { return m_buttonType; }
    void setButtonType(qint32 newValue);
    QString caption() const { return m_caption; }
    void setCaption(const QString &newValue);
    qint16 buttonEnabled() const { return m_enabled; }
    // Also enables or disables the window, after drawing the up look. Any value other than
    // VbTrue draws the disabled look; any other than VbFalse leaves the window enabled.
    void setButtonEnabled(qint16 newValue);
    // Enabled as True or False, for callers outside the property bag.
    void setAvailable(bool available) { setButtonEnabled(toVbBool(available)); }
    StdFont buttonFont() const { return m_font; }
    void setButtonFont(const StdFont &newFont);
    qint32 colorScheme() const { return m_colorScheme; }
    void setColorScheme(qint32 newValue);
    qint16 showFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(qint16 newValue);
    quintptr hwnd() const { return hWnd(); }

    // The single drawing entry: redraws everything when forced, or when the state or the
    // caption differs from the last redraw; never while the height is 0.
    void Redraw(quint8 state, qint16 force);

    void HandleMouseDown(qint16 button, qint16 shift, float x, float y);
    void HandleMouseUp(qint16 button, qint16 shift, float x, float y);
    void HandleClick();
    // A left click as the mouse gives it at (1, 1): MouseDown, MouseUp, then Click, with any
    // error reported as for a host notification. A disabled window takes no click.
    void performClick();

    // The visual state of the last full redraw: StateUp or StateDown.
    quint8 lastState() const { return m_lastState; }

Q_SIGNALS:
    void Click();
    void MouseDown(qint16 &button, qint16 &shift, float &x, float &y);
    void MouseUp(qint16 &button, qint16 &shift, float &x, float &y);
    void KeyPress(qint16 &keyAscii);
    void KeyDown(qint16 &keyCode, qint16 &shift);
    void KeyUp(qint16 &keyCode, qint16 &shift);

protected:
    // Draws one look of the current style; the frame has cleared the surface, filled the face
    // and, when enabled, set the text colour.
    virtual void paintStyle(ButtonPainter &painter, ButtonLook look);

    void hostResize() override;
    void accessKeyPressEvent(int keyAscii) override;
    void ambientChangedEvent(const QString &name) override;

    void hostMouseDown(qint16 button, qint16 shift, float x, float y) override
    {
        HandleMouseDown(button, shift, x, y);
    }
    void hostMouseUp(qint16 button, qint16 shift, float x, float y) override
    {
        HandleMouseUp(button, shift, x, y);
    }
    void hostClick() override { HandleClick(); }
    void hostDblClick() override;
    void hostMouseMove(qint16 button, qint16 shift, float x, float y) override;
    void hostKeyDown(qint16 keyCode, qint16 shift) override;
    void hostKeyPress(qint16 keyAscii) override;
    void hostKeyUp(qint16 keyCode, qint16 shift) override;
    void hostFocus(bool gained) override;
    bool isOwnKey(qint16 keyCode) const override;

private:
    // Reads the drawing and interaction state for the tests.
    friend class ButtonProbe;

    // Fills the palette from ColorScheme, BackColor and ForeColor; draws nothing.
    void SetColors();
    // The access key of the window from Caption.
    void UpdateAccessKeys();
    // Rebuilds the outline region from the cached size and ButtonType.
    void BuildOutlineRegion();
    // Tells assistive technology that something it reads of the button changed.
    void announce(QAccessible::Event change);
    void announceState(QAccessible::State changed);

    qint32 m_buttonType = 0;
    qint32 m_colorScheme = 0;
    qint32 m_cachedHeight = 0;
    qint32 m_cachedWidth = 0;
    ColorRef m_backColor = 0;
    ColorRef m_foreColor = 0;
    QString m_caption;
    StdFont m_font;
    WinRect m_textRect;
    WinRect m_pressedTextRect;
    WinRect m_focusRect;
    QRegion m_outlineRegion;
    quint8 m_lastMouseButton = 0;
    qint16 m_enabled = VbFalse;
    bool m_hasFocus = false;
    qint16 m_showFocusRect = VbFalse;
    ButtonPalette m_palette;
    quint8 m_lastState = StateUp;
    QString m_lastCaption;
};
