#include "platform/SystemColors.h"

#include <QApplication>
#include <QPalette>
#include <gtest/gtest.h>

namespace {

// Every role a distinct colour, so that a wrong mapping cannot pass.
class DistinctPalette : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_saved = QApplication::palette();
        QPalette p = m_saved;
        p.setColor(QPalette::Button, QColor(1, 2, 3));
        p.setColor(QPalette::Dark, QColor(4, 5, 6));
        p.setColor(QPalette::ButtonText, QColor(7, 8, 9));
        p.setColor(QPalette::Light, QColor(10, 11, 12));
        p.setColor(QPalette::Shadow, QColor(13, 14, 15));
        p.setColor(QPalette::Midlight, QColor(16, 17, 18));
        QApplication::setPalette(p);
    }
    void TearDown() override { QApplication::setPalette(m_saved); }

private:
    QPalette m_saved;
};

} // namespace

TEST_F(DistinctPalette, SysColorReadsTheDocumentedRoles)
{
    EXPECT_EQ(SystemColors::sysColor(15), rgb(1, 2, 3));
    EXPECT_EQ(SystemColors::sysColor(16), rgb(4, 5, 6));
    EXPECT_EQ(SystemColors::sysColor(18), rgb(7, 8, 9));
    EXPECT_EQ(SystemColors::sysColor(20), rgb(10, 11, 12));
    EXPECT_EQ(SystemColors::sysColor(21), rgb(13, 14, 15));
    EXPECT_EQ(SystemColors::sysColor(22), rgb(16, 17, 18));
    EXPECT_EQ(SystemColors::sysColor(99), 0u);
}

TEST_F(DistinctPalette, TranslateTurnsSystemColoursIntoTheirValue)
{
    EXPECT_EQ(SystemColors::translate(0x80000012u), rgb(7, 8, 9));
    EXPECT_EQ(SystemColors::translate(0x8000000Fu), rgb(1, 2, 3));
    EXPECT_EQ(SystemColors::translate(0x00123456u), 0x00123456u);
    EXPECT_FALSE(SystemColors::translate(0x800000FFu).has_value());
    EXPECT_FALSE(SystemColors::translate(0x80010012u).has_value());
    EXPECT_FALSE(SystemColors::translate(0x05000000u).has_value());
}

TEST(ColorRef, ConvertsToAndFromTheToolkitsOrder)
{
    EXPECT_EQ(toQRgb(0x000000FF), qRgb(255, 0, 0));
    EXPECT_EQ(toQRgb(0x00FF0000), qRgb(0, 0, 255));
    EXPECT_EQ(fromQRgb(qRgb(192, 128, 64)), 0x004080C0u);
    EXPECT_EQ(rgb(153, 153, 204), 0x00CC9999u);
}
