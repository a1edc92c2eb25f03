#include "platform/messenger/xmpp/TerminalPasswordSource.h"

#include "platform/messenger/MessengerError.h"

#include <cerrno>
#include <termios.h>
#include <unistd.h>

namespace {

// Turns the terminal's echo off for its lifetime.
class EchoOff
{
public:
    explicit EchoOff(int fd) : m_fd(fd)
    {
        if (::isatty(fd) && ::tcgetattr(fd, &m_saved) == 0) {
            termios quiet = m_saved;
            quiet.c_lflag &= ~tcflag_t(ECHO);
            quiet.c_lflag |= ECHONL;
            m_active = ::tcsetattr(fd, TCSAFLUSH, &quiet) == 0;
        }
    }
    ~EchoOff()
    {
        if (m_active)
            ::tcsetattr(m_fd, TCSAFLUSH, &m_saved);
    }
    Q_DISABLE_COPY_MOVE(EchoOff)

private:
    int m_fd;
    termios m_saved{};
    bool m_active = false;
};

void writeAll(int fd, const QByteArray &text)
{
    qsizetype done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.constData() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return; // a prompt that cannot be shown does not stop the reading
        done += written;
    }
}

constexpr qsizetype maxPasswordLength = 1024;

} // namespace

TerminalPasswordSource::TerminalPasswordSource(int inputFd, int outputFd)
    : m_inputFd(inputFd), m_outputFd(outputFd)
{
}

QByteArray TerminalPasswordSource::password(const QString &account)
{
    writeAll(m_outputFd, QStringLiteral("Contraseña de %1: ").arg(account).toUtf8());
    const EchoOff echoOff(m_inputFd);

    // Byte by byte, so that nothing after the line is taken from the input.
    QByteArray secret;
    secret.reserve(maxPasswordLength);
    bool lineEnded = false;
    while (!lineEnded) {
        char byte = 0;
        const ssize_t got = ::read(m_inputFd, &byte, 1);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        if (byte == '\n') {
            lineEnded = true;
        } else if (secret.size() >= maxPasswordLength) {
            wipe(secret);
            throw MessengerError(QStringLiteral("La contraseña escrita para %1 es demasiado larga "
                                                "(más de %2 bytes)")
                                     .arg(account)
                                     .arg(maxPasswordLength));
        } else {
            secret.append(byte);
        }
    }
    if (secret.endsWith('\r'))
        secret.chop(1);
    if (secret.isEmpty())
        throw MessengerError(
            QStringLiteral("No se escribió ninguna contraseña para %1").arg(account));
    return secret;
}
