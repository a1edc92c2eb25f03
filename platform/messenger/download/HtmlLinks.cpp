#include "platform/messenger/download/HtmlLinks.h"

#include "platform/messenger/download/DownloadError.h"
#include "platform/messenger/download/DownloadJson.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>
#include <memory>

namespace {

struct DocumentFree
{
    void operator()(xmlDoc *document) const { xmlFreeDoc(document); }
};

struct XmlFree
{
    void operator()(xmlChar *text) const { xmlFree(text); }
};

QString textOf(xmlChar *raw)
{
    const std::unique_ptr<xmlChar, XmlFree> owned(raw);
    return raw ? QString::fromUtf8(reinterpret_cast<const char *>(raw)) : QString();
}

// Iterative, so that deeply nested markup cannot exhaust the stack; children are pushed last
// first, so that links come out in document order.
void collect(xmlNode *root, QList<HtmlLinks::Link> &links)
{
    QList<xmlNode *> pending{root};
    QList<xmlNode *> children;
    while (!pending.isEmpty()) {
        xmlNode *node = pending.takeLast();
        if (xmlStrcasecmp(node->name, BAD_CAST "a") == 0) {
            const QString href = textOf(xmlGetProp(node, BAD_CAST "href"));
            if (!href.isEmpty())
                links.append({href, textOf(xmlNodeGetContent(node)).simplified()});
            continue;
        }
        children.clear();
        for (xmlNode *child = node->children; child; child = child->next) {
            if (child->type == XML_ELEMENT_NODE)
                children.append(child);
        }
        for (auto it = children.crbegin(); it != children.crend(); ++it)
            pending.append(*it);
    }
}

} // namespace

QList<HtmlLinks::Link> HtmlLinks::read(const QByteArray &page, const QString &where)
{
    if (page.size() > std::numeric_limits<int>::max())
        throw DownloadParseError(QStringLiteral("%1 es demasiado grande para leerla").arg(where));
    const std::unique_ptr<xmlDoc, DocumentFree> document(htmlReadMemory(
        page.constData(), int(page.size()), nullptr, "UTF-8",
        HTML_PARSE_NONET | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NOBLANKS));
    xmlNode *root = document ? xmlDocGetRootElement(document.get()) : nullptr;
    if (!root)
        throw DownloadParseError(QStringLiteral("%1 no es una página HTML que se pueda leer (%2)")
                                     .arg(where, DownloadJson::place(page, 0)));
    QList<Link> links;
    collect(root, links);
    return links;
}
