#pragma once

#include <QByteArray>
#include <QtGlobal>

// A secret kept in memory for as long as this object lives, away from where memory is usually
// seen again: in pages of its own, locked against being swapped out where the system allows it,
// left out of core dumps, and overwritten before they are given back.
class LockedSecret
{
public:
    // Keeps a copy of secret; the caller still wipes its own. Throws MessengerError when there
    // is no memory for it.
    explicit LockedSecret(const QByteArray &secret);
    ~LockedSecret();
    Q_DISABLE_COPY_MOVE(LockedSecret)

    // A copy in ordinary memory, for a call that wipes what it is given.
    QByteArray copy() const;

private:
    void *m_pages = nullptr;
    std::size_t m_pagesSize = 0;
    qsizetype m_size = 0;
};
