#include "controls/banner/BannerAccessible.h"

#include "controls/banner/CsLogo.h"

namespace {

QAccessibleInterface *createBannerAccessible(const QString &className, QObject *object)
{
    // Qt asks once per class of the object's ancestry; answering only for "csLogo" serves
    // subclasses too.
    if (className != QLatin1String("csLogo"))
        return nullptr;
    auto *banner = qobject_cast<csLogo *>(object);
    return banner ? new BannerAccessible(banner) : nullptr;
}

} // namespace

BannerAccessible::BannerAccessible(csLogo *banner)
    : QAccessibleWidget(banner, QAccessible::StaticText)
{
}

void BannerAccessible::installFactory()
{
    QAccessible::installFactory(createBannerAccessible);
}

QString BannerAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name) {
        const QString given = widget()->accessibleName();
        return given.isEmpty() ? static_cast<csLogo *>(widget())->caption() : given;
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State BannerAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    // The caption is there to be read; nothing edits it through the banner.
    state.readOnly = true;
    return state;
}
