#pragma once

#include "app/LinkOpener.h"

// Opens links with the desktop's default program.
class DesktopLinkOpener : public LinkOpener
{
public:
    void open(const QUrl &url) override;
};
