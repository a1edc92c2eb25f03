#pragma once

#include "platform/HostInput.h"
#include "platform/UserControl.h"

#include <QPointF>

// A user control that takes the toolkit's mouse, key and focus events as the host's
// notifications: each one in the host's terms (HostInput), with any error it raises trapped
// under the notification's name. The second press of a double click is no press of its own
// for the buttons that double-click; a Click follows the release of a button that clicks when
// the control's click rule accepts it (by default: the button pressed on the control is
// released over its region).
class HostInputControl : public UserControl
{
    Q_OBJECT

public:
    static constexpr qint16 AllButtons =
        HostInput::LeftButton | HostInput::RightButton | HostInput::MiddleButton;

    // How a control reads the mouse and the keyboard; fixed for its life.
    struct InputRules
    {
        // Mouse positions in twips rather than pixels.
        bool twips = false;
        // The host buttons (HostInput masks) whose release may make a Click.
        qint16 clickButtons = AllButtons;
        // The host buttons whose second press of a double click is a DblClick; for the
        // others it is one more MouseDown.
        qint16 doubleClickButtons = AllButtons;
        // Every mouse and key event stops at the control, even one it passes nothing on for;
        // otherwise those, and the keys that are not its own, go on to the window.
        bool keepsAllInput = false;
    };

    explicit HostInputControl(QWidget *parent = nullptr);
    HostInputControl(const InputRules &rules, QWidget *parent = nullptr);

protected:
    // A release of a button that clicks, in the toolkit's terms.
    struct Release
    {
        // In pixels, relative to the control.
        QPointF position;
        // The released button is the one last pressed on the control, with no double click
        // in between.
        bool pressedHere = false;
        // The release ends a double click of a button that double-clicks.
        bool endsDoubleClick = false;
    };

    // The host's notifications; the control does nothing with those it does not override.
    virtual void hostMouseDown(qint16 button, qint16 shift, float x, float y);
    virtual void hostMouseUp(qint16 button, qint16 shift, float x, float y);
    virtual void hostMouseMove(qint16 button, qint16 shift, float x, float y);
    virtual void hostClick() {}
    virtual void hostDblClick() {}
    virtual void hostKeyDown(qint16 keyCode, qint16 shift);
    virtual void hostKeyPress(qint16 keyAscii);
    virtual void hostKeyUp(qint16 keyCode, qint16 shift);
    virtual void hostFocus(bool gained);
    // The keys the control acts on itself; the others go on to the window.
    virtual bool isOwnKey(qint16 keyCode) const;
    // Whether a release makes a Click.
    virtual bool isClick(const Release &release) const;

    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    HostInput::MouseArgs mouseArgs(const QMouseEvent &event) const;
    // An event the control passes nothing on for.
    void passOn(QEvent *event) const;
    bool keeps(qint16 keyCode) const { return m_rules.keepsAllInput || isOwnKey(keyCode); }

    InputRules m_rules;
    // The toolkit button pressed on this control, until its release or a double click takes
    // its place.
    Qt::MouseButton m_pressedButton = Qt::NoButton;
    // The last press was the second of a double click; its release clicks no more.
    bool m_releaseEndsDoubleClick = false;
};
