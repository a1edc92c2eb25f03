#include "platform/HostInputControl.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <utility>

HostInputControl::HostInputControl(QWidget *parent) : HostInputControl(InputRules(), parent) {}

HostInputControl::HostInputControl(const InputRules &rules, QWidget *parent)
    : UserControl(parent), m_rules(rules)
{
}

void HostInputControl::hostMouseDown(qint16, qint16, float, float) {}
void HostInputControl::hostMouseUp(qint16, qint16, float, float) {}
void HostInputControl::hostMouseMove(qint16, qint16, float, float) {}
void HostInputControl::hostKeyDown(qint16, qint16) {}
void HostInputControl::hostKeyPress(qint16) {}
void HostInputControl::hostKeyUp(qint16, qint16) {}
void HostInputControl::hostFocus(bool) {}

bool HostInputControl::isOwnKey(qint16) const
{
    return false;
}

bool HostInputControl::isClick(const Release &release) const
{
    return release.pressedHere && containsPixel(int(std::floor(release.position.x())),
                                                int(std::floor(release.position.y())));
}

HostInput::MouseArgs HostInputControl::mouseArgs(const QMouseEvent &event) const
{
    return HostInput::mouseArgs(event, m_rules.twips ? qreal(twipsPerPixelY()) : 1.0);
}

void HostInputControl::passOn(QEvent *event) const
{
    event->setAccepted(m_rules.keepsAllInput);
}

void HostInputControl::mousePressEvent(QMouseEvent *event)
{
    m_releaseEndsDoubleClick = false;
    const HostInput::MouseArgs args = mouseArgs(*event);
    if (args.button == HostInput::NoButton) {
        passOn(event);
        return;
    }
    m_pressedButton = event->button();
    trapErrors("MouseDown", [&] { hostMouseDown(args.button, args.shift, args.x, args.y); });
}

void HostInputControl::mouseReleaseEvent(QMouseEvent *event)
{
    const HostInput::MouseArgs args = mouseArgs(*event);
    if (args.button == HostInput::NoButton) {
        passOn(event);
        return;
    }
    Release release;
    release.position = event->position();
    release.pressedHere = m_pressedButton == event->button();
    release.endsDoubleClick = std::exchange(m_releaseEndsDoubleClick, false);
    if (release.pressedHere)
        m_pressedButton = Qt::NoButton;
    const bool click = (args.button & m_rules.clickButtons) != 0 && isClick(release);
    trapErrors("MouseUp", [&] {
        hostMouseUp(args.button, args.shift, args.x, args.y);
        if (click)
            hostClick();
    });
}

void HostInputControl::mouseDoubleClickEvent(QMouseEvent *event)
{
    m_pressedButton = Qt::NoButton;
    if ((mouseArgs(*event).button & m_rules.doubleClickButtons) == 0) {
        mousePressEvent(event);
        return;
    }
    m_releaseEndsDoubleClick = true;
    trapErrors("DblClick", [this] { hostDblClick(); });
}

void HostInputControl::mouseMoveEvent(QMouseEvent *event)
{
    const HostInput::MouseArgs args = mouseArgs(*event);
    trapErrors("MouseMove", [&] { hostMouseMove(args.button, args.shift, args.x, args.y); });
}

void HostInputControl::keyPressEvent(QKeyEvent *event)
{
    const HostInput::KeyArgs args = HostInput::keyArgs(*event);
    if (args.keyCode == 0 && args.keyAscii == 0) {
        passOn(event);
        return;
    }
    trapErrors("KeyDown", [&] {
        if (args.keyCode != 0)
            hostKeyDown(args.keyCode, args.shift);
        if (args.keyAscii != 0)
            hostKeyPress(args.keyAscii);
    });
    // Keys of no meaning to the control still reach the window.
    event->setAccepted(keeps(args.keyCode));
}

void HostInputControl::keyReleaseEvent(QKeyEvent *event)
{
    // A held key repeats its key-down only; the one key-up comes with the real release.
    if (event->isAutoRepeat())
        return;
    const HostInput::KeyArgs args = HostInput::keyArgs(*event);
    if (args.keyCode == 0) {
        passOn(event);
        return;
    }
    trapErrors("KeyUp", [&] { hostKeyUp(args.keyCode, args.shift); });
    event->setAccepted(keeps(args.keyCode));
}

void HostInputControl::focusInEvent(QFocusEvent *event)
{
    trapErrors("GotFocus", [this] { hostFocus(true); });
    UserControl::focusInEvent(event);
}

void HostInputControl::focusOutEvent(QFocusEvent *event)
{
    trapErrors("LostFocus", [this] { hostFocus(false); });
    UserControl::focusOutEvent(event);
}
