// Plain-socket reading and writing for the tests' hand-made servers, which speak just enough
// of a protocol to stop at one step of it.
#pragma once

#include <QByteArray>
#include <atomic>
#include <poll.h>
#include <unistd.h>

namespace SocketText {

// Reads until text has arrived; false when the client went away or the server stops.
inline bool readUntil(int socket, const QByteArray &text, QByteArray &received,
                      const std::atomic<bool> &stopping)
{
    while (!received.contains(text)) {
        pollfd wait{socket, POLLIN, 0};
        if (::poll(&wait, 1, 20) <= 0) {
            if (stopping)
                return false;
            continue;
        }
        char buffer[4096];
        const ssize_t got = ::read(socket, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        received.append(buffer, got);
    }
    return true;
}

inline void send(int socket, const QByteArray &text)
{
    (void)!::write(socket, text.constData(), size_t(text.size()));
}

} // namespace SocketText
