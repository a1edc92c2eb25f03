#pragma once

#include <QAccessibleWidget>

class Button;

// What assistive technology sees of a Button: a push button named by its caption as it is
// shown, reporting its pressed look, its availability and its access key, with a "Press"
// action that clicks it.
class ButtonAccessible : public QAccessibleWidget
{
public:
    explicit ButtonAccessible(Button *button);

    // Makes every Button reachable through QAccessible::queryAccessibleInterface. Qt keeps the
    // factory once however often this runs.
    static void installFactory();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;
    QStringList keyBindingsForAction(const QString &actionName) const override;

private:
    Button *button() const;
    QString accessKeyText() const;
};
