#include "platform/messenger/xmpp/FilePasswordSource.h"

#include "platform/base/SystemText.h"
#include "platform/messenger/MessengerError.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor however the read ends.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Q_DISABLE_COPY_MOVE(FileDescriptor)
    int get() const { return m_fd; }

private:
    int m_fd;
};

constexpr qsizetype maxPasswordFileSize = 4096;

} // namespace

FilePasswordSource::FilePasswordSource(QString path) : m_path(std::move(path)) {}

QByteArray FilePasswordSource::password(const QString &)
{
    const auto fail = [this](const QString &why) {
        return MessengerError(
            QStringLiteral("Archivo de contraseña «%1» (ORVALIN_XMPP_PASSWORD_FILE): %2")
                .arg(m_path, why));
    };
    // The checks are made on the open descriptor, so the file cannot be swapped in between.
    const FileDescriptor file(::open(QFile::encodeName(m_path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        throw fail(SystemText::errorText(errno));
    struct stat status
    {
    };
    if (::fstat(file.get(), &status) != 0)
        throw fail(SystemText::errorText(errno));
    if (!S_ISREG(status.st_mode))
        throw fail(QStringLiteral("no es un archivo normal"));
    const unsigned permissions = status.st_mode & 0777;
    if ((permissions & 077) != 0)
        throw fail(QStringLiteral("tiene permisos %1 y otros usuarios pueden acceder a él; debe "
                                  "poder leerlo solo su dueño (chmod 600)")
                       .arg(permissions, 4, 8, QLatin1Char('0')));
    if (status.st_size > maxPasswordFileSize)
        throw fail(QStringLiteral("es demasiado grande para contener solo una contraseña"));

    QByteArray content(maxPasswordFileSize + 1, '\0');
    qsizetype length = 0;
    while (length < content.size()) {
        const ssize_t got = ::read(file.get(), content.data() + length, content.size() - length);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int error = errno;
            wipe(content);
            throw fail(SystemText::errorText(error));
        }
        if (got == 0)
            break;
        length += got;
    }
    // Only the first line counts; the line end is not part of the password.
    qsizetype end = content.indexOf('\n');
    if (end < 0 || end > length)
        end = length;
    if (end > 0 && content.at(end - 1) == '\r')
        --end;
    QByteArray secret(content.constData(), end);
    wipe(content);
    if (secret.isEmpty())
        throw fail(QStringLiteral("la primera línea está vacía"));
    return secret;
}
