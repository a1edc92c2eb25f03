#pragma once

#include <QUrl>

// Hands a web address or a mail link to the desktop. A link that cannot be opened fails
// silently; callers do not look at the result.
class LinkOpener
{
public:
    LinkOpener() = default;
    virtual ~LinkOpener();
    LinkOpener(const LinkOpener &) = delete;
    LinkOpener &operator=(const LinkOpener &) = delete;

    virtual void open(const QUrl &url) = 0;
};
