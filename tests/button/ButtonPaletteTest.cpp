#include "ButtonTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonPalette, ShiftColorSaturatesEachChannel)
{
    struct Row
    {
        ColorRef back, light, highlight, shadow, darkShadow;
    };
    const Row rows[] = {
        {rgb(192, 192, 192), rgb(223, 223, 223), rgb(239, 239, 239), rgb(128, 128, 128),
         rgb(0, 0, 0)},
        {rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 255, 255), rgb(191, 191, 191),
         rgb(63, 63, 63)},
        {rgb(0, 0, 0), rgb(31, 31, 31), rgb(47, 47, 47), rgb(0, 0, 0), rgb(0, 0, 0)},
        {rgb(255, 128, 0), rgb(255, 159, 31), rgb(255, 175, 47), rgb(191, 64, 0), rgb(63, 0, 0)},
    };
    for (const Row &row : rows) {
        const ButtonPalette p = paletteForScheme(2, row.back, 0x123456);
        EXPECT_EQ(p.faceColor, row.back);
        EXPECT_EQ(p.lightColor, row.light);
        EXPECT_EQ(p.highlightColor, row.highlight);
        EXPECT_EQ(p.shadowColor, row.shadow);
        EXPECT_EQ(p.darkShadowColor, row.darkShadow);
        EXPECT_EQ(p.textColor, 0x123456u);
    }
    // A system colour is shifted as its raw signed value: green and blue fall to 0.
    EXPECT_EQ(ShiftColor(0x80000012, 31), rgb(0x12 + 31, 0, 0));
    EXPECT_EQ(ShiftColor(0x80000012, -64), rgb(0, 0, 0));
}

TEST(ButtonPalette, SchemesSelectTheirSources)
{
    Button button;
    button.InitProperties();
    const ButtonPalette system = button.buttonPalette();
    for (qint32 scheme : {0, 1, 4, -1}) {
        button.setBackColor(0x00102030);
        button.setColorScheme(scheme);
        EXPECT_EQ(button.buttonPalette(), system) << scheme;
    }
    // Grey ignores the two colours; custom from a grey face differs only in two members.
    button.setColorScheme(3);
    const ButtonPalette grey = button.buttonPalette();
    button.setBackColor(rgb(192, 192, 192));
    button.setForeColor(0x000000FF);
    EXPECT_EQ(button.buttonPalette(), grey);
    button.setColorScheme(2);
    ButtonPalette custom = button.buttonPalette();
    EXPECT_EQ(custom.highlightColor, rgb(239, 239, 239));
    EXPECT_EQ(custom.textColor, 0x000000FFu);
    custom.highlightColor = grey.highlightColor;
    custom.textColor = grey.textColor;
    EXPECT_EQ(custom, grey);
    // Back to the system colours at once, whatever BackColor holds.
    button.setColorScheme(1);
    EXPECT_EQ(button.buttonPalette(), system);
}

} // namespace
