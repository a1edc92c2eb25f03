#include "platform/messenger/accounts/AccountChoice.h"

#include "platform/messenger/download/DataDownload.h"

#include <QFileInfo>

std::optional<AccountChoice::Kind> AccountChoice::kindOf(const QString &value)
{
    if (value == u"demo")
        return Kind::Demo;
    if (DataDownload::looksLikeDownload(value))
        return Kind::Download;
    if (value.contains(QLatin1Char('/')) || QFileInfo(value).isFile())
        return Kind::File;
    if (value.contains(QLatin1Char('@')))
        return Kind::Xmpp;
    return std::nullopt;
}
