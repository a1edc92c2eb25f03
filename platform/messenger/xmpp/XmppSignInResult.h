#pragma once

#include <QString>

// What a sign-in found out about the account, handed from the session's thread in one piece.
struct XmppSignInResult
{
    // The account's bare address, as the server bound it.
    QString signInName;
    // The user's nickname as the server keeps it, or else the address's local part.
    QString displayName;
    // What the sign-in could not do safely on this server, to be told once; empty when nothing.
    QString notice;
};
