#include "controls/button/ButtonAccessible.h"

#include "controls/button/AccessKey.h"
#include "controls/button/Button.h"

#include <QKeySequence>

namespace {

QAccessibleInterface *createButtonAccessible(const QString &className, QObject *object)
{
    // Qt asks once per class of the object's ancestry; answering only for "Button" serves
    // subclasses too, which have no interface of their own.
    if (className != QLatin1String("Button"))
        return nullptr;
    auto *button = qobject_cast<Button *>(object);
    return button ? new ButtonAccessible(button) : nullptr;
}

} // namespace

ButtonAccessible::ButtonAccessible(Button *button)
    : QAccessibleWidget(button, QAccessible::PushButton)
{
}

void ButtonAccessible::installFactory()
{
    QAccessible::installFactory(createButtonAccessible);
}

Button *ButtonAccessible::button() const
{
    return static_cast<Button *>(widget());
}

QString ButtonAccessible::accessKeyText() const
{
    // The keys the window actually listens to, so a caption whose marker the control does
    // not honour reports no shortcut.
    const QString keys = button()->accessKeys();
    if (keys.isEmpty())
        return {};
    return QKeySequence(QStringLiteral("Alt+%1").arg(keys.at(0).toUpper()))
        .toString(QKeySequence::PortableText);
}

QString ButtonAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name: {
        // A name given to the window wins, as for Qt's own buttons.
        const QString given = widget()->accessibleName();
        return given.isEmpty() ? captionAsShown(button()->caption()) : given;
    }
    case QAccessible::Accelerator:
        return accessKeyText();
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State ButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const Button *b = button();
    state.pressed = b->lastState() == Button::StateDown;
    // Only an Enabled of exactly True lets a click through.
    if (b->buttonEnabled() != VbTrue)
        state.disabled = true;
    state.defaultButton = b->displayAsDefault();
    return state;
}

QStringList ButtonAccessible::actionNames() const
{
    QStringList names;
    if (!state().disabled)
        names << pressAction();
    return names + QAccessibleWidget::actionNames();
}

void ButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction()) {
        button()->performClick();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList ButtonAccessible::keyBindingsForAction(const QString &actionName) const
{
    if (actionName == pressAction()) {
        const QString shortcut = accessKeyText();
        if (!shortcut.isEmpty())
            return {shortcut};
        return {};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}
