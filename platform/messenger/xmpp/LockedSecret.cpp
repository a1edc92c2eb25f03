#include "platform/messenger/xmpp/LockedSecret.h"

#include "platform/messenger/MessengerError.h"

#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

LockedSecret::LockedSecret(const QByteArray &secret) : m_size(secret.size())
{
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    m_pagesSize = (std::size_t(m_size) / page + 1) * page;
    void *pages =
        mmap(nullptr, m_pagesSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED)
        throw MessengerError(
            QStringLiteral("No queda memoria para guardar la contraseña durante la sesión"));
    m_pages = pages;
    // Both are refinements: a system that refuses them still gets the secret kept and wiped.
    mlock(m_pages, m_pagesSize);
    madvise(m_pages, m_pagesSize, MADV_DONTDUMP);
    std::memcpy(m_pages, secret.constData(), std::size_t(m_size));
}

LockedSecret::~LockedSecret()
{
    explicit_bzero(m_pages, m_pagesSize);
    munlock(m_pages, m_pagesSize);
    munmap(m_pages, m_pagesSize);
}

QByteArray LockedSecret::copy() const
{
    return QByteArray(static_cast<const char *>(m_pages), m_size);
}
