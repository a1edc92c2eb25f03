#include "app/FontPreload.h"
#include "controls/button/Button.h"
#include "tests/app/Form1Fixture.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPixmap>
#include <QTest>

// The reading of the fonts ahead ends however the start goes, and what is laid out meanwhile
// is laid out as it would be without it.
TEST(FontPreload, EndsWhetherOrNotTheApplicationWasReady)
{
    {
        const FontPreload neverReady; // a start that failed before the application object
    }
    FontPreload fonts;
    fonts.applicationReady();
    const QFont verdana(QStringLiteral("Verdana"), 8);
    // Laid out on this thread while the other one fills the font database.
    const QString family = QFontInfo(verdana).family();
    const qreal height = QFontMetricsF(verdana).height();
    fonts.finish();
    fonts.finish();
    EXPECT_FALSE(QFontDatabase::families().isEmpty());
    EXPECT_EQ(QFontInfo(verdana).family(), family);
    EXPECT_EQ(QFontMetricsF(verdana).height(), height);
}

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
