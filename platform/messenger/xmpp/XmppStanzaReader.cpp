#include "platform/messenger/xmpp/XmppStanzaReader.h"

#include <cstring>
#include <strophe.h>

QString XmppStanzaReader::errorText(xmpp_stanza_t *answer)
{
    xmpp_stanza_t *error = xmpp_stanza_get_child_by_name(answer, "error");
    if (!error)
        return QStringLiteral("error sin detalle");
    QString condition;
    QString detail;
    for (xmpp_stanza_t *child = xmpp_stanza_get_children(error); child;
         child = xmpp_stanza_get_next(child)) {
        if (!xmpp_stanza_is_tag(child))
            continue;
        const char *name = xmpp_stanza_get_name(child);
        if (std::strcmp(name, "text") == 0)
            detail = text(child);
        else if (condition.isEmpty())
            condition = QString::fromUtf8(name);
    }
    if (condition.isEmpty())
        condition = QStringLiteral("error sin detalle");
    return detail.isEmpty() ? condition : QStringLiteral("%1: %2").arg(condition, detail);
}

QString XmppStanzaReader::attribute(xmpp_stanza_t *stanza, const char *name)
{
    const char *value = xmpp_stanza_get_attribute(stanza, name);
    return value ? QString::fromUtf8(value) : QString();
}

QString XmppStanzaReader::text(xmpp_stanza_t *element)
{
    char *content = xmpp_stanza_get_text(element);
    if (!content)
        return {};
    QString result = QString::fromUtf8(content);
    xmpp_free(xmpp_stanza_get_context(element), content);
    return result;
}
