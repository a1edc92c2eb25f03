#pragma once

#include <QString>

// The one name everything Orvalin keeps per account is filed under, so that an account typed
// "Alice@Example.org/casa" and the address the server bound, "alice@example.org", are one
// account. An address (user@domain, with or without a resource) becomes its bare form with each
// part in its canonical case: the domain lowercased, as DNS compares it, and the user part
// case-folded, as XMPP servers compare it; both in Unicode NFC. Any other name (a social
// network's "yo (Instagram)") is its own canonical form. A file is named by its canonical path.
class AccountName
{
public:
    static QString canonical(const QString &name);
    // The path with links, "." and ".." resolved; a path to nothing yet is made absolute and
    // clean, so that it still compares equal to itself written another way.
    static QString canonicalPath(const QString &path);
    // Whether name has the form user@domain[/resource]: one '@', a part on each side of it.
    static bool isAddress(const QString &name);
};
