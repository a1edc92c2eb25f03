#pragma once

#include <QAccessibleWidget>

class csLogo;

// What assistive technology sees of a csLogo banner: static text that reads its caption.
class BannerAccessible : public QAccessibleWidget
{
public:
    explicit BannerAccessible(csLogo *banner);

    // Makes every csLogo reachable through QAccessible::queryAccessibleInterface. Qt keeps the
    // factory once however often this runs.
    static void installFactory();

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
};
