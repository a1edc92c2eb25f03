#include "platform/messenger/xmpp/XmppStanza.h"

#include <cstring>
#include <strophe.h>

bool XmppStanza::isNamed(xmpp_stanza_t *stanza, const char *name)
{
    if (!stanza || !xmpp_stanza_is_tag(stanza))
        return false;
    const char *actual = xmpp_stanza_get_name(stanza);
    return actual && std::strcmp(actual, name) == 0;
}

bool XmppStanza::hasType(xmpp_stanza_t *stanza, const char *type)
{
    const char *actual = stanza ? xmpp_stanza_get_type(stanza) : nullptr;
    return actual && std::strcmp(actual, type) == 0;
}

xmpp_stanza_t *XmppStanza::child(xmpp_stanza_t *parent, const char *name, const char *ns)
{
    if (!parent)
        return nullptr;
    return ns ? xmpp_stanza_get_child_by_name_and_ns(parent, name, ns)
              : xmpp_stanza_get_child_by_name(parent, name);
}

QList<xmpp_stanza_t *> XmppStanza::children(xmpp_stanza_t *parent, const char *name)
{
    QList<xmpp_stanza_t *> found;
    for (xmpp_stanza_t *child = parent ? xmpp_stanza_get_children(parent) : nullptr; child;
         child = xmpp_stanza_get_next(child)) {
        if (isNamed(child, name))
            found.append(child);
    }
    return found;
}

QString XmppStanza::errorText(xmpp_stanza_t *answer)
{
    xmpp_stanza_t *error = child(answer, "error");
    if (!error)
        return QStringLiteral("error sin detalle");
    QString condition;
    QString detail;
    for (xmpp_stanza_t *element = xmpp_stanza_get_children(error); element;
         element = xmpp_stanza_get_next(element)) {
        if (!xmpp_stanza_is_tag(element))
            continue;
        if (isNamed(element, "text"))
            detail = text(element);
        else if (condition.isEmpty())
            condition = QString::fromUtf8(xmpp_stanza_get_name(element));
    }
    if (condition.isEmpty())
        condition = QStringLiteral("error sin detalle");
    return detail.isEmpty() ? condition : QStringLiteral("%1: %2").arg(condition, detail);
}

QString XmppStanza::attribute(xmpp_stanza_t *stanza, const char *name)
{
    const char *value = stanza ? xmpp_stanza_get_attribute(stanza, name) : nullptr;
    return value ? QString::fromUtf8(value) : QString();
}

QString XmppStanza::text(xmpp_stanza_t *element)
{
    char *content = element ? xmpp_stanza_get_text(element) : nullptr;
    if (!content)
        return {};
    QString result = QString::fromUtf8(content);
    xmpp_free(xmpp_stanza_get_context(element), content);
    return result;
}
