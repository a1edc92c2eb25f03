#include "platform/messenger/xmpp/XmppChildAppend.h"

#include <QtGlobal>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <optional>
#include <strophe.h>
#include <vector>

// The replacement is process-wide by nature: the library finds it by name. What it shares
// between threads is the layout, set once, and a count of the elements freed so far.

namespace {

using AppendFunction = int (*)(xmpp_stanza_t *, xmpp_stanza_t *, int);
using ReleaseFunction = int (*)(xmpp_stanza_t *);

template <typename Function> Function libraryFunction(const char *name)
{
    // The definition after this program's own: the library's.
    void *found = dlsym(RTLD_NEXT, name);
    if (!found)
        qFatal("No se encontró %s en libstrophe", name);
    return reinterpret_cast<Function>(found);
}

AppendFunction libraryAppend()
{
    static const auto function = libraryFunction<AppendFunction>("xmpp_stanza_add_child_ex");
    return function;
}

ReleaseFunction libraryRelease()
{
    static const auto function = libraryFunction<ReleaseFunction>("xmpp_stanza_release");
    return function;
}

// Where the library keeps an element's reference count and its links, in bytes from its start.
struct Layout
{
    std::size_t size = 0;
    std::size_t ref = 0;
    std::size_t prev = 0;
    std::size_t next = 0;
    std::size_t children = 0;
    std::size_t parent = 0;
};

std::atomic<const Layout *> installedLayout{nullptr};
// Bumped before any element is freed: a remembered last child is trusted only while no element
// was freed since, so that it is never read after it was freed.
std::atomic<std::uint64_t> elementsFreed{0};
thread_local bool takenByLibrary = false;

// A link is a pointer wherever the library keeps one.
constexpr std::size_t linkSize = sizeof(void *);

xmpp_stanza_t *linkAt(xmpp_stanza_t *element, std::size_t offset)
{
    xmpp_stanza_t *link = nullptr;
    std::memcpy(&link, reinterpret_cast<const char *>(element) + offset, linkSize);
    return link;
}

void setLinkAt(xmpp_stanza_t *element, std::size_t offset, xmpp_stanza_t *link)
{
    std::memcpy(reinterpret_cast<char *>(element) + offset, &link, linkSize);
}

int countAt(xmpp_stanza_t *element, std::size_t offset)
{
    int count = 0;
    std::memcpy(&count, reinterpret_cast<const char *>(element) + offset, sizeof count);
    return count;
}

// The last child appended to each of the few elements being built on this thread.
class LastChildren
{
public:
    xmpp_stanza_t *lastOf(xmpp_stanza_t *parent, const Layout &layout)
    {
        if (m_freedAt != elementsFreed.load(std::memory_order_acquire)) {
            m_entries = {};
            m_freedAt = elementsFreed.load(std::memory_order_acquire);
        }
        for (const Entry &entry : m_entries) {
            // Still the last: nothing was appended behind the library's back since.
            if (entry.parent == parent && linkAt(entry.last, layout.next) == nullptr &&
                linkAt(entry.last, layout.parent) == parent)
                return entry.last;
        }
        xmpp_stanza_t *last = linkAt(parent, layout.children);
        while (last && linkAt(last, layout.next))
            last = linkAt(last, layout.next);
        return last;
    }

    void remember(xmpp_stanza_t *parent, xmpp_stanza_t *last)
    {
        for (Entry &entry : m_entries) {
            if (entry.parent == parent) {
                entry.last = last;
                return;
            }
        }
        m_entries[m_nextSlot] = {parent, last};
        m_nextSlot = (m_nextSlot + 1) % m_entries.size();
    }

private:
    struct Entry
    {
        xmpp_stanza_t *parent = nullptr;
        xmpp_stanza_t *last = nullptr;
    };
    // A roster item's own children are appended between the roster's items: a few entries
    // cover every level being built at once.
    std::array<Entry, 8> m_entries{};
    std::size_t m_nextSlot = 0;
    std::uint64_t m_freedAt = 0;
};

thread_local LastChildren lastChildren;

// Blocks of the probe's own context, with their sizes, so that it reads no byte outside one.
class ProbeMemory
{
public:
    xmpp_mem_t suite{&ProbeMemory::allocate, &ProbeMemory::release, &ProbeMemory::resize, this};

    std::size_t sizeOf(const void *block) const
    {
        const auto found = m_sizes.find(block);
        return found == m_sizes.end() ? 0 : found->second;
    }

private:
    static void *allocate(size_t size, void *self)
    {
        void *block = std::malloc(size);
        if (block)
            static_cast<ProbeMemory *>(self)->m_sizes[block] = size;
        return block;
    }
    static void release(void *block, void *self)
    {
        static_cast<ProbeMemory *>(self)->m_sizes.erase(block);
        std::free(block);
    }
    static void *resize(void *block, size_t size, void *self)
    {
        auto *memory = static_cast<ProbeMemory *>(self);
        void *moved = std::realloc(block, size);
        if (moved) {
            memory->m_sizes.erase(block);
            memory->m_sizes[moved] = size;
        }
        return moved;
    }

    std::map<const void *, std::size_t> m_sizes;
};

using Bytes = std::vector<unsigned char>;

Bytes bytesOf(const xmpp_stanza_t *element, std::size_t size)
{
    const auto *start = reinterpret_cast<const unsigned char *>(element);
    return Bytes(start, start + size);
}

// The pointer-sized slots of element that differ from before.
std::vector<std::size_t> changedSlots(const Bytes &before, xmpp_stanza_t *element)
{
    std::vector<std::size_t> changed;
    const auto *now = reinterpret_cast<const unsigned char *>(element);
    for (std::size_t offset = 0; offset < before.size(); offset += linkSize) {
        if (std::memcmp(before.data() + offset, now + offset, linkSize) != 0)
            changed.push_back(offset);
    }
    return changed;
}

// The slot among changed that was null and now holds value; none when there is no such one.
std::optional<std::size_t> slotNowHolding(const std::vector<std::size_t> &changed,
                                          const Bytes &before, xmpp_stanza_t *element,
                                          xmpp_stanza_t *value)
{
    for (std::size_t offset : changed) {
        xmpp_stanza_t *old = nullptr;
        std::memcpy(&old, before.data() + offset, linkSize);
        if (old == nullptr && linkAt(element, offset) == value)
            return offset;
    }
    return std::nullopt;
}

// The int that counts element's references, seen going up by one as the library clones it.
std::optional<std::size_t> referenceSlot(xmpp_stanza_t *element, std::size_t size)
{
    const Bytes before = bytesOf(element, size);
    xmpp_stanza_clone(element);
    std::optional<std::size_t> found;
    int differing = 0;
    for (std::size_t offset = 0; offset < size; offset += sizeof(int)) {
        int old = 0;
        std::memcpy(&old, before.data() + offset, sizeof old);
        if (countAt(element, offset) == old)
            continue;
        ++differing;
        if (countAt(element, offset) == old + 1 && old == 1)
            found = offset;
    }
    libraryRelease()(element);
    return differing == 1 ? found : std::nullopt;
}

// Appends a then b to parent with the library's own append and reads off what each step wrote.
// Every write must be the one an append of a linked list makes, and nothing else.
std::optional<Layout> learnLayout(xmpp_stanza_t *parent, xmpp_stanza_t *a, xmpp_stanza_t *b,
                                  std::size_t size)
{
    Layout layout;
    layout.size = size;
    Bytes parentBefore = bytesOf(parent, size);
    Bytes aBefore = bytesOf(a, size);
    libraryAppend()(parent, a, 0);
    const std::vector<std::size_t> parentChanged = changedSlots(parentBefore, parent);
    const std::vector<std::size_t> aChanged = changedSlots(aBefore, a);
    const auto children = slotNowHolding(parentChanged, parentBefore, parent, a);
    const auto up = slotNowHolding(aChanged, aBefore, a, parent);
    if (parentChanged.size() != 1 || aChanged.size() != 1 || !children || !up ||
        xmpp_stanza_get_children(parent) != a)
        return std::nullopt;
    layout.children = *children;
    layout.parent = *up;

    parentBefore = bytesOf(parent, size);
    aBefore = bytesOf(a, size);
    const Bytes bBefore = bytesOf(b, size);
    libraryAppend()(parent, b, 0);
    const std::vector<std::size_t> aNow = changedSlots(aBefore, a);
    const std::vector<std::size_t> bNow = changedSlots(bBefore, b);
    const auto next = slotNowHolding(aNow, aBefore, a, b);
    const auto prev = slotNowHolding(bNow, bBefore, b, a);
    if (!changedSlots(parentBefore, parent).empty() || aNow.size() != 1 || bNow.size() != 2 ||
        !next || !prev || linkAt(b, layout.parent) != parent || xmpp_stanza_get_next(a) != b)
        return std::nullopt;
    layout.next = *next;
    layout.prev = *prev;

    const auto ref = referenceSlot(a, size);
    if (!ref)
        return std::nullopt;
    layout.ref = *ref;
    return layout;
}

std::optional<Layout> probeLayout()
{
    ProbeMemory memory;
    xmpp_ctx_t *context = xmpp_ctx_new(&memory.suite, nullptr);
    if (!context)
        return std::nullopt;
    xmpp_stanza_t *parent = xmpp_stanza_new(context);
    xmpp_stanza_t *a = xmpp_stanza_new(context);
    xmpp_stanza_t *b = xmpp_stanza_new(context);
    std::optional<Layout> layout;
    const std::size_t size = memory.sizeOf(parent);
    if (parent && a && b && size >= 5 * linkSize && size % linkSize == 0 &&
        memory.sizeOf(a) == size && memory.sizeOf(b) == size)
        layout = learnLayout(parent, a, b, size);
    // Each is released once, whether the probe got as far as appending it or not: the parent's
    // release takes its children along.
    const bool aAppended = parent && a && xmpp_stanza_get_children(parent) == a;
    const bool bAppended = aAppended && b && xmpp_stanza_get_next(a) == b;
    if (a && !aAppended)
        libraryRelease()(a);
    if (b && !bAppended)
        libraryRelease()(b);
    if (parent)
        libraryRelease()(parent);
    xmpp_ctx_free(context);
    return layout;
}

// Whether the library's own append, called by its exported two-argument form, reaches the
// replacement, as its parser's calls do.
bool libraryCallsReachReplacement()
{
    xmpp_ctx_t *context = xmpp_ctx_new(nullptr, nullptr);
    xmpp_stanza_t *parent = xmpp_stanza_new(context);
    xmpp_stanza_t *child = xmpp_stanza_new(context);
    takenByLibrary = false;
    xmpp_stanza_add_child(parent, child);
    const bool reached = takenByLibrary && xmpp_stanza_get_children(parent) == child;
    xmpp_stanza_release(child);
    xmpp_stanza_release(parent);
    xmpp_ctx_free(context);
    return reached;
}

} // namespace

void XmppChildAppend::install()
{
    static std::once_flag once;
    std::call_once(once, [] {
        static std::optional<Layout> layout = probeLayout();
        if (layout)
            installedLayout.store(&*layout, std::memory_order_release);
    });
}

bool XmppChildAppend::isInEffect()
{
    install();
    return installedLayout.load(std::memory_order_acquire) && libraryCallsReachReplacement();
}

extern "C" int xmpp_stanza_add_child_ex(xmpp_stanza_t *stanza, xmpp_stanza_t *child, int do_clone)
{
    const Layout *layout = installedLayout.load(std::memory_order_acquire);
    if (!layout)
        return libraryAppend()(stanza, child, do_clone);
    takenByLibrary = true;
    if (do_clone)
        xmpp_stanza_clone(child);
    setLinkAt(child, layout->parent, stanza);
    if (xmpp_stanza_t *last = lastChildren.lastOf(stanza, *layout)) {
        setLinkAt(last, layout->next, child);
        setLinkAt(child, layout->prev, last);
    } else {
        setLinkAt(stanza, layout->children, child);
    }
    lastChildren.remember(stanza, child);
    return XMPP_EOK;
}

extern "C" int xmpp_stanza_release(xmpp_stanza_t *stanza)
{
    const Layout *layout = installedLayout.load(std::memory_order_acquire);
    if (layout && countAt(stanza, layout->ref) <= 1)
        elementsFreed.fetch_add(1, std::memory_order_acq_rel);
    return libraryRelease()(stanza);
}
