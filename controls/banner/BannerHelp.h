#pragma once

#include <QString>
#include <QStringList>

// The descriptions the banner publishes for its members, as a designer shows them.
namespace BannerHelp {

// The public members in interface order.
QStringList members();
// The description of a member; empty for Draw and for names that are not members.
QString text(const QString &member);

} // namespace BannerHelp
