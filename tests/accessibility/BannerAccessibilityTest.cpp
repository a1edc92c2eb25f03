#include "AccessibilitySupport.h"
#include "controls/banner/CsLogo.h"
#include "tests/banner/BannerHost.h"

#include <gtest/gtest.h>

TEST(BannerAccessibility, StaticTextReadingItsCaption)
{
    BannerHost host;
    csLogo &banner = host.banner();
    banner.InitProperties();
    host.resize(25, 290);
    QAccessibleInterface *iface = accessibleOf(&banner);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), QAccessible::StaticText);
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("csLogo"));
    EXPECT_TRUE(iface->state().readOnly);

    // The banner writes an ampersand as it is: it marks no key here.
    banner.setCaption(QStringLiteral("Orvalin & Co"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Orvalin & Co"));

    // A caption the banner's code page cannot draw is still read as written.
    banner.setCaption(QStringLiteral("Ωrvalin"));
    EXPECT_EQ(iface->text(QAccessible::Name), QStringLiteral("Ωrvalin"));
    banner.setCaption(QString());
    EXPECT_EQ(iface->text(QAccessible::Name), QString());
}
