#include "platform/UserControl.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ProbeControl : public UserControl
{
public:
    using UserControl::UserControl;
    int resizes = 0;
    QList<int> accessKeys;
    QStringList ambientChanges;

protected:
    void hostResize() override
    {
        ++resizes;
        surface().fillRect({0, 0, surface().width(), surface().height()}, 0x000000FF);
    }
    void accessKeyPressEvent(int key) override { accessKeys.append(key); }
    void ambientChangedEvent(const QString &name) override { ambientChanges.append(name); }
};

} // namespace

TEST(UserControl, ResizingGivesTheSurfaceTheWindowSizeThenNotifiesTheControl)
{
    ProbeControl control;
    control.resize(40, 12);
    control.show();
    EXPECT_EQ(control.surface().width(), 40);
    EXPECT_EQ(control.surface().height(), 12);
    EXPECT_GE(control.resizes, 1);
    EXPECT_EQ(control.surface().pixel(39, 11), 0x000000FFu);
    EXPECT_EQ(control.twipsPerPixelY(), 15);
}

TEST(UserControl, WindowRegionMakesCutPixelsTransparent)
{
    ProbeControl control;
    control.resize(10, 10);
    control.show(); // a hidden window gets its size when first shown
    control.setWindowRegion(QRegion(0, 0, 10, 10).subtracted(QRegion(0, 0, 1, 1)));
    EXPECT_FALSE(control.containsPixel(0, 0));
    EXPECT_TRUE(control.containsPixel(1, 0));
    EXPECT_FALSE(control.containsPixel(10, 5));
    const QImage image = control.renderedImage();
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 255);
    EXPECT_EQ(control.mask(), control.windowRegion());
}

TEST(UserControl, AnEmptyRegionHidesEverythingAndTakesNoMouse)
{
    ProbeControl control;
    control.resize(2, 2);
    control.show();
    control.setWindowRegion(QRegion());
    EXPECT_FALSE(control.containsPixel(0, 0));
    EXPECT_TRUE(control.testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(qAlpha(control.renderedImage().pixel(1, 1)), 0);
    control.setWindowRegion(QRegion(0, 0, 2, 2));
    EXPECT_FALSE(control.testAttribute(Qt::WA_TransparentForMouseEvents));
}

TEST(UserControl, AmbientChangeIsSentOnlyWhenTheFlagChanges)
{
    ProbeControl control;
    control.setDisplayAsDefault(false);
    EXPECT_TRUE(control.ambientChanges.isEmpty());
    control.setDisplayAsDefault(true);
    control.setDisplayAsDefault(true);
    control.setDisplayAsDefault(false);
    EXPECT_EQ(control.ambientChanges, (QStringList{QStringLiteral("DisplayAsDefault"),
                                                   QStringLiteral("DisplayAsDefault")}));
}

TEST(UserControl, AltPlusAnAccessKeyAnywhereInTheWindowReachesTheControl)
{
    QWidget window;
    auto *control = new ProbeControl(&window);
    auto *other = new QWidget(&window);
    other->setFocusPolicy(Qt::StrongFocus);
    control->resize(20, 20);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus();

    control->setAccessKeys(QStringLiteral("b"));
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(control->accessKeys, QList<int>{'b'});
    QTest::keyClick(&window, Qt::Key_C, Qt::AltModifier);
    EXPECT_EQ(control->accessKeys.size(), 1);

    control->setAccessKeys(QString());
    QTest::keyClick(&window, Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(control->accessKeys.size(), 1);
}
