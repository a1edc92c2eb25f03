#include "platform/messenger/xmpp/XmppChildAppend.h"

#include <QByteArray>
#include <gtest/gtest.h>
#include <strophe.h>

#include <memory>
#include <vector>

// The process's own append of a child element: the library takes it for every append, its
// parser's included, and every element it builds reads back exactly as before.

namespace {

struct ContextDeleter
{
    void operator()(xmpp_ctx_t *context) const { xmpp_ctx_free(context); }
};
struct StanzaDeleter
{
    void operator()(xmpp_stanza_t *stanza) const { xmpp_stanza_release(stanza); }
};
using Stanza = std::unique_ptr<xmpp_stanza_t, StanzaDeleter>;

class XmppChildAppendTest : public ::testing::Test
{
protected:
    void SetUp() override { XmppChildAppend::install(); }

    xmpp_ctx_t *context() const { return m_context.get(); }

    Stanza element(const char *name) const
    {
        Stanza made(xmpp_stanza_new(context()));
        xmpp_stanza_set_name(made.get(), name);
        return made;
    }

    static QByteArray text(xmpp_stanza_t *stanza)
    {
        char *buffer = nullptr;
        size_t length = 0;
        if (xmpp_stanza_to_text(stanza, &buffer, &length) != XMPP_EOK)
            return {};
        QByteArray written(buffer, qsizetype(length));
        xmpp_free(xmpp_stanza_get_context(stanza), buffer);
        return written;
    }

    static int childCount(xmpp_stanza_t *parent)
    {
        int count = 0;
        for (xmpp_stanza_t *child = xmpp_stanza_get_children(parent); child;
             child = xmpp_stanza_get_next(child))
            ++count;
        return count;
    }

private:
    std::unique_ptr<xmpp_ctx_t, ContextDeleter> m_context{xmpp_ctx_new(nullptr, nullptr)};
};

// A roster answer as a server writes it: items with and without groups, text between some.
// One attribute an element, since the library writes attributes in an order of its own.
QByteArray rosterAnswer(int items)
{
    QByteArray xml("<iq id=\"r1\"><query xmlns=\"jabber:iq:roster\">");
    for (int i = 0; i < items; ++i) {
        const QByteArray item = "<item jid=\"c" + QByteArray::number(i) + "@example.org\"";
        if (i % 3 == 0)
            xml += item + "><group>Amigos</group><group>Trabajo " + QByteArray::number(i) +
                   "</group></item>";
        else
            xml += item + "/>";
        if (i % 7 == 0)
            xml += "texto " + QByteArray::number(i);
    }
    return xml + "</query></iq>";
}

} // namespace

TEST_F(XmppChildAppendTest, TheLibrarysOwnAppendsTakeIt)
{
    // The layout of this release's elements was recognised and the library calls by name.
    EXPECT_TRUE(XmppChildAppend::isInEffect());
}

TEST_F(XmppChildAppendTest, AParsedRosterReadsBackExactlyAsItCame)
{
    const QByteArray xml = rosterAnswer(5000);
    const Stanza parsed(xmpp_stanza_new_from_string(context(), xml.constData()));
    ASSERT_TRUE(parsed);
    EXPECT_EQ(text(parsed.get()), xml);
    xmpp_stanza_t *query = xmpp_stanza_get_children(parsed.get());
    // 5,000 items and the text after every seventh.
    EXPECT_EQ(childCount(query), 5000 + (5000 + 6) / 7);
}

TEST_F(XmppChildAppendTest, ElementsBuiltAmongOthersBeingFreedKeepTheirOrder)
{
    // Elements freed between appends leave their memory to new ones: nothing remembered of the
    // freed may be taken for the new.
    const Stanza kept = element("kept");
    QByteArray expected = "<kept>";
    for (int round = 0; round < 200; ++round) {
        Stanza scratch = element("scratch");
        for (int i = 0; i < round % 5; ++i) {
            Stanza child = element("gone");
            xmpp_stanza_add_child(scratch.get(), child.get());
        }
        scratch.reset();
        Stanza child = element(round % 2 ? "a" : "b");
        xmpp_stanza_add_child(kept.get(), child.get());
        expected += round % 2 ? "<a/>" : "<b/>";
    }
    EXPECT_EQ(text(kept.get()), expected + "</kept>");
    EXPECT_EQ(childCount(kept.get()), 200);
}

TEST_F(XmppChildAppendTest, AChildAppendedWithoutACloneBelongsToItsParent)
{
    // Without a clone the parent takes the caller's reference; with one, both hold it.
    Stanza parent = element("parent");
    xmpp_stanza_t *owned = xmpp_stanza_new(context());
    xmpp_stanza_set_name(owned, "owned");
    xmpp_stanza_add_child_ex(parent.get(), owned, 0);
    const Stanza shared = element("shared");
    xmpp_stanza_add_child_ex(parent.get(), shared.get(), 1);
    EXPECT_EQ(text(parent.get()), "<parent><owned/><shared/></parent>");
    parent.reset();
    // The shared child outlives the parent, and a new parent takes it as its first child.
    const Stanza other = element("other");
    const Stanza copy(xmpp_stanza_copy(shared.get()));
    xmpp_stanza_add_child(other.get(), copy.get());
    EXPECT_EQ(text(other.get()), "<other><shared/></other>");
}

TEST_F(XmppChildAppendTest, ADeepCopyOfALargeElementIsTheSame)
{
    const QByteArray xml = rosterAnswer(3000);
    const Stanza parsed(xmpp_stanza_new_from_string(context(), xml.constData()));
    ASSERT_TRUE(parsed);
    const Stanza copy(xmpp_stanza_copy(parsed.get()));
    EXPECT_EQ(text(copy.get()), xml);
}
