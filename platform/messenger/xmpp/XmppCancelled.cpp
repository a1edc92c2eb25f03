#include "platform/messenger/xmpp/XmppCancelled.h"

XmppCancelled::XmppCancelled() : MessengerError(QStringLiteral("Se canceló el inicio de sesión."))
{
}
