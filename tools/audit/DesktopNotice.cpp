#include "tools/audit/DesktopNotice.h"

#include "core/PlainText.h"
#include "platform/base/Error.h"
#include "platform/base/Product.h"
#include "platform/base/SystemText.h"

#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMessage>
#include <QVariantMap>

namespace {

// A name as the notice shows it: one short line that can neither reorder the text around it
// (bidirectional overrides and isolates) nor carry controls, and that notification services,
// which may read the body as simple markup, show as it is.
QString noticeText(const QString &name)
{
    constexpr int NameLength = 64;
    QString text = PlainText::forDisplay(name, NameLength);
    text.replace(QLatin1Char('&'), QLatin1String("&amp;"));
    text.replace(QLatin1Char('<'), QLatin1String("&lt;"));
    text.replace(QLatin1Char('>'), QLatin1String("&gt;"));
    return text;
}

} // namespace

QString DesktopNotice::body(const QList<ContactChange> &appeared)
{
    constexpr qsizetype Named = 3;
    QStringList names;
    for (qsizetype i = 0; i < appeared.size() && i < Named; ++i) {
        const HistoryContact &contact = appeared.at(i).contact;
        names.append(noticeText(contact.name.isEmpty() ? contact.address : contact.name));
    }
    QString list;
    if (appeared.size() > Named)
        list = names.join(QLatin1String(", ")) +
               QStringLiteral(" y %1 más").arg(appeared.size() - Named);
    else if (names.size() > 1)
        list = names.mid(0, names.size() - 1).join(QLatin1String(", ")) + QLatin1String(" y ") +
               names.last();
    else
        list = names.value(0);
    return appeared.size() == 1 ? list + QStringLiteral(" ya no te tiene en su lista.")
                                : list + QStringLiteral(" ya no te tienen en su lista.");
}

void DesktopNotice::send(const QString &summary, const QString &body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        throw Error(
            QStringLiteral("No se pudo mostrar el aviso: no hay bus de sesión de D-Bus (%1)")
                .arg(SystemText::dbusErrorText(bus.lastError().name())));
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << Product::name() << uint(0) << QStringLiteral("org.example.orvalin.Orvalin")
         << PlainText::forDisplay(summary) << body << QStringList() << QVariantMap() << qint32(-1);
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage)
        throw Error(QStringLiteral("No se pudo mostrar el aviso en el escritorio: %1")
                        .arg(SystemText::dbusErrorText(reply.errorName())));
}
