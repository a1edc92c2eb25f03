#include "platform/HostInputControl.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

// Logs every notification the adapter gives, with its arguments.
class ProbeControl : public HostInputControl
{
public:
    using HostInputControl::HostInputControl;
    QStringList log;

protected:
    void hostMouseDown(qint16 button, qint16 shift, float x, float y) override
    {
        log << QStringLiteral("MouseDown %1 %2 %3 %4").arg(button).arg(shift).arg(x).arg(y);
    }
    void hostMouseUp(qint16 button, qint16, float x, float y) override
    {
        log << QStringLiteral("MouseUp %1 %2 %3").arg(button).arg(x).arg(y);
    }
    void hostClick() override { log << QStringLiteral("Click"); }
    void hostDblClick() override { log << QStringLiteral("DblClick"); }
    void hostKeyDown(qint16 keyCode, qint16) override
    {
        log << QStringLiteral("KeyDown %1").arg(keyCode);
    }
    bool isOwnKey(qint16 keyCode) const override { return keyCode == 32; }
};

bool mouse(QWidget &w, QEvent::Type type, QPoint pos, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(pos), w.mapToGlobal(QPointF(pos)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&w, &event);
    return event.isAccepted();
}

bool keyPress(QWidget &w, int key, const QString &text = {})
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&w, &event);
    return event.isAccepted();
}

void clickWith(QWidget &w, Qt::MouseButton button)
{
    mouse(w, QEvent::MouseButtonPress, {2, 3}, button);
    mouse(w, QEvent::MouseButtonRelease, {2, 3}, button);
}

} // namespace

TEST(HostInputControl, ByDefaultPositionsArePixelsAndEveryButtonClicks)
{
    ProbeControl control;
    control.resize(20, 10);
    control.show(); // the surface takes its size when shown
    clickWith(control, Qt::LeftButton);
    clickWith(control, Qt::MiddleButton);
    EXPECT_EQ(control.log, (QStringList{"MouseDown 1 0 2 3", "MouseUp 1 2 3", "Click",
                                        "MouseDown 4 0 2 3", "MouseUp 4 2 3", "Click"}));
}

TEST(HostInputControl, TheRulesSetTheScaleAndWhichButtonsClickAndDoubleClick)
{
    HostInputControl::InputRules rules;
    rules.twips = true;
    rules.clickButtons = HostInput::LeftButton;
    rules.doubleClickButtons = HostInput::LeftButton;
    ProbeControl control(rules);
    control.resize(20, 10);
    control.show(); // the surface takes its size when shown
    const int scale = control.twipsPerPixelY();
    clickWith(control, Qt::RightButton);
    ASSERT_EQ(control.log.size(), 2) << "no Click for a button that does not click";
    EXPECT_EQ(control.log.at(0),
              QStringLiteral("MouseDown 2 0 %1 %2").arg(2 * scale).arg(3 * scale));

    control.log.clear();
    mouse(control, QEvent::MouseButtonDblClick, {2, 3}, Qt::RightButton);
    mouse(control, QEvent::MouseButtonDblClick, {2, 3}, Qt::LeftButton);
    mouse(control, QEvent::MouseButtonRelease, {2, 3}, Qt::LeftButton);
    EXPECT_EQ(
        control.log,
        (QStringList{QStringLiteral("MouseDown 2 0 %1 %2").arg(2 * scale).arg(3 * scale),
                     "DblClick", QStringLiteral("MouseUp 1 %1 %2").arg(2 * scale).arg(3 * scale)}))
        << "a second press of a button that does not double-click is a press; the release of "
           "a double click clicks no more";
}

TEST(HostInputControl, InputOfNoMeaningGoesOnToTheWindowUnlessTheControlKeepsAll)
{
    ProbeControl passing;
    EXPECT_TRUE(keyPress(passing, Qt::Key_Space, QStringLiteral(" ")));
    EXPECT_FALSE(keyPress(passing, Qt::Key_A, QStringLiteral("a")));
    EXPECT_FALSE(keyPress(passing, Qt::Key_LaunchMail));
    EXPECT_FALSE(mouse(passing, QEvent::MouseButtonPress, {1, 1}, Qt::BackButton));

    HostInputControl::InputRules rules;
    rules.keepsAllInput = true;
    ProbeControl keeping(rules);
    EXPECT_TRUE(keyPress(keeping, Qt::Key_A, QStringLiteral("a")));
    EXPECT_TRUE(keyPress(keeping, Qt::Key_LaunchMail));
    EXPECT_TRUE(mouse(keeping, QEvent::MouseButtonPress, {1, 1}, Qt::BackButton));
    EXPECT_EQ(keeping.log, (QStringList{"KeyDown 65"}));
}
