#pragma once

#include <QString>
#include <QUrl>

// The product's web site, forum and author mail, as the Help menu and the about window use them.
class ProductLinks
{
public:
    static QString host() { return QStringLiteral("orvalin.example.org"); }
    static QString authorEmail() { return QStringLiteral("autor@orvalin.example.org"); }

    static QUrl webSite()
    {
        return QUrl(QStringLiteral("http://") + host() + QStringLiteral(":8080"));
    }
    static QUrl forum() { return QUrl(webSite().toString() + QStringLiteral("/foro")); }
    static QUrl mail() { return QUrl(QStringLiteral("mailto:") + authorEmail()); }
};
