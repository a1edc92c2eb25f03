#include "core/PlainText.h"
#include "app/TwipGeometry.h"

#include <gtest/gtest.h>

TEST(PlainText, KeepsOrdinaryTextAndMarkupCharacters)
{
    EXPECT_EQ(PlainText::forDisplay(QStringLiteral("<b>Núñez</b> & co")),
              QStringLiteral("<b>Núñez</b> & co"));
    EXPECT_EQ(PlainText::forDisplay(QString()), QString());
}

TEST(PlainText, NeutralisesControlAndDirectionCharacters)
{
    const QString hostile = QStringLiteral("a\nb\tc\x1b[2Jd") + QChar(0x202E) +
                            QStringLiteral("e") + QChar(0x2069) + QChar(0x85);
    const QString shown = PlainText::forDisplay(hostile);
    EXPECT_EQ(shown.size(), hostile.size());
    for (QChar c : shown) {
        EXPECT_TRUE(c.unicode() >= 0x20 && c.unicode() != 0x202E && c.unicode() != 0x2069 &&
                    c.unicode() != 0x85)
            << int(c.unicode());
    }
    EXPECT_TRUE(shown.startsWith(QStringLiteral("a")));
    EXPECT_TRUE(shown.contains(QStringLiteral("[2Jd")));
}

TEST(PlainText, CutsLongTextWithoutSplittingACharacter)
{
    const QString longName(64 * 1024, QLatin1Char('x'));
    const QString shown = PlainText::forDisplay(longName);
    EXPECT_EQ(shown.size(), PlainText::DefaultMaxLength + 1);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));

    // An emoji straddling the limit is dropped whole.
    const QString emoji = QString(3, QLatin1Char('a')) + QStringLiteral("😀");
    EXPECT_EQ(PlainText::forDisplay(emoji, 4), QStringLiteral("aaa") + QChar(0x2026));
    EXPECT_EQ(PlainText::forDisplay(emoji, 5), emoji);
}

TEST(TwipGeometry, FifteenTwipsPerPixelAt96Dpi)
{
    const TwipGeometry at96(96);
    EXPECT_EQ(at96.toPixels(3945), 263);
    EXPECT_EQ(at96.rect(480, 960, 3375, 2775), QRect(32, 64, 225, 185));
    const TwipGeometry at120(120);
    EXPECT_EQ(at120.toPixels(1440), 120);
    // 18 twips at 120 DPI is 1.5 pixels: halves go to the even neighbour.
    EXPECT_EQ(at120.toPixels(18), 2);
    EXPECT_EQ(at120.toPixels(30), 2);
    EXPECT_EQ(at120.toPixels(6), 0);
}
