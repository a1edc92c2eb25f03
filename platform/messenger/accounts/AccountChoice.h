#pragma once

#include "platform/messenger/xmpp/XmppSettings.h"

#include <QString>
#include <optional>

// The account a program is to use, and where that choice came from.
struct AccountChoice
{
    enum class Kind {
        Demo,     // the built-in demo account
        File,     // an account file
        Download, // a social network's data download (ZIP or folder)
        Xmpp,     // a live XMPP account
        Ask       // none named: the window asks the user
    };
    enum class Source { CommandLine, Environment, Remembered, Default };

    Kind kind = Kind::Demo;
    Source source = Source::Default;
    // Kind::File, Kind::Download: the path. Kind::Xmpp: the address.
    QString address;
    // Kind::Xmpp: where to connect.
    XmppSettings xmpp;
    // Kind::Xmpp: ORVALIN_XMPP_PASSWORD_FILE, when set.
    QString passwordFile;

    // The one rule that tells the kinds apart: "demo"; a data download (a folder, or a file that
    // starts like a ZIP); an account file (an existing file, or a path with a '/'); else an XMPP
    // address (with an '@'). nullopt when value is none of them.
    static std::optional<Kind> kindOf(const QString &value);

    // The kind as the history records it beside each scan: "demo", "file", "download" or
    // "xmpp".
    QString backendName() const { return backendName(kind); }
    static QString backendName(Kind kind)
    {
        switch (kind) {
        case Kind::File:
            return QStringLiteral("file");
        case Kind::Download:
            return QStringLiteral("download");
        case Kind::Xmpp:
            return QStringLiteral("xmpp");
        case Kind::Demo:
        case Kind::Ask:
            break;
        }
        return QStringLiteral("demo");
    }
};
