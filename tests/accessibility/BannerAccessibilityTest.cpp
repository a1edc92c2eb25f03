#include "AccessibilitySupport.h"
#include "controls/banner/CsLogo.h"

#include <gtest/gtest.h>

TEST(BannerAccessibility, StaticTextReadingItsCaptionAsWritten)
{
    csLogo banner;
    banner.InitProperties();
    QAccessibleInterface *iface = accessibleOf(&banner);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("csLogo"));
    EXPECT_TRUE(iface->state().readOnly);

    // An ampersand marks no key on the banner, and a character its code page cannot draw is
    // still read as written.
    banner.setCaption(QStringLiteral("Ωrvalin & Co"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Ωrvalin & Co"));
}
