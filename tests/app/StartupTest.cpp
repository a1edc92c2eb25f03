#include "controls/button/Button.h"
#include "tests/app/Form1Fixture.h"

#include <QPixmap>
#include <QTest>

// The window icon comes once the window has painted, and only that once: an icon set later is
// not replaced by the next paint.
TEST_F(Form1Test, TakesItsIconAfterItsFirstPaint)
{
    Form1 &form = start(QStringList{QStringLiteral("ana@example.org")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !form.windowIcon().isNull(); }));
    EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(form.windowIcon().availableSizes().contains(QSize(256, 256)));

    QPixmap other(16, 16);
    other.fill(Qt::green);
    form.setWindowIcon(QIcon(other));
    form.repaint();
    QTest::qWait(20);
    EXPECT_EQ(form.windowIcon().availableSizes(), QList<QSize>{QSize(16, 16)});
}
