#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The links of an HTML page, read with libxml2's HTML parser: each <a> element's href and its
// text, in document order.
class HtmlLinks
{
public:
    struct Link
    {
        QString href;
        QString text;
    };

    // Throws DownloadParseError naming where when the page cannot be read as HTML at all.
    static QList<Link> read(const QByteArray &page, const QString &where);
};
