#pragma once

#include <QList>
#include <QString>

typedef struct _xmpp_stanza_t xmpp_stanza_t; // NOLINT(bugprone-reserved-identifier)

// What Orvalin reads of libstrophe's stanzas, and the namespaces it speaks, for every XMPP file:
// lookups that take a null stanza for "none", so that a missing element anywhere along a path
// gives null or an empty string rather than a crash.
class XmppStanza
{
public:
    XmppStanza() = delete;

    static constexpr char rosterNs[] = "jabber:iq:roster";
    static constexpr char pingNs[] = "urn:xmpp:ping";
    static constexpr char pubsubNs[] = "http://jabber.org/protocol/pubsub";
    static constexpr char nickNs[] = "http://jabber.org/protocol/nick";
    static constexpr char vcardNs[] = "vcard-temp";
    static constexpr char discoInfoNs[] = "http://jabber.org/protocol/disco#info";
    static constexpr char discoItemsNs[] = "http://jabber.org/protocol/disco#items";
    static constexpr char offlineNs[] = "http://jabber.org/protocol/offline";
    static constexpr char versionNs[] = "jabber:iq:version";

    // Whether the element is called name; false for null.
    static bool isNamed(xmpp_stanza_t *stanza, const char *name);
    // Whether the stanza's "type" is type; false for null or no type.
    static bool hasType(xmpp_stanza_t *stanza, const char *type);
    static bool isError(xmpp_stanza_t *answer) { return hasType(answer, "error"); }
    static bool isResult(xmpp_stanza_t *answer) { return hasType(answer, "result"); }

    // The first child element called name (in ns, when given), or null.
    static xmpp_stanza_t *child(xmpp_stanza_t *parent, const char *name, const char *ns = nullptr);
    // Every child element called name, in order.
    static QList<xmpp_stanza_t *> children(xmpp_stanza_t *parent, const char *name);

    // The condition of an error answer, with the server's text when it gave one.
    static QString errorText(xmpp_stanza_t *answer);
    // Empty when the attribute is missing.
    static QString attribute(xmpp_stanza_t *stanza, const char *name);
    // The text inside an element; empty for null.
    static QString text(xmpp_stanza_t *element);
};
