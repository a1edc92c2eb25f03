#pragma once

#include <QString>

typedef struct _xmpp_stanza_t xmpp_stanza_t; // NOLINT(bugprone-reserved-identifier)

// Reads the parts of a received stanza that Orvalin uses, as Qt strings.
class XmppStanzaReader
{
public:
    XmppStanzaReader() = delete;

    // The condition of an error answer, with the server's text when it gave one.
    static QString errorText(xmpp_stanza_t *answer);
    // Empty when the attribute is missing.
    static QString attribute(xmpp_stanza_t *stanza, const char *name);
    // The text inside an element.
    static QString text(xmpp_stanza_t *element);
};
