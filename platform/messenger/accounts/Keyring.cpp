#include "platform/messenger/accounts/Keyring.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace {

// Runs job to its end and reads its outcome. A job the keyring never answers would hang here;
// QtKeychain's backends fail fast instead when nothing serves the keyring.
Keyring::Answer finish(QKeychain::Job &job)
{
    job.setAutoDelete(false);
    // Never a file instead of the keyring.
    job.setInsecureFallback(false);
    QEventLoop loop;
    QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
    job.start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);

    Keyring::Answer answer;
    switch (job.error()) {
    case QKeychain::NoError:
        answer.status = Keyring::Status::Ok;
        break;
    case QKeychain::EntryNotFound:
        answer.status = Keyring::Status::NotFound;
        break;
    case QKeychain::AccessDeniedByUser:
    case QKeychain::AccessDenied:
        answer.status = Keyring::Status::Unavailable;
        answer.error = QStringLiteral("el llavero del sistema no dio permiso");
        break;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        answer.status = Keyring::Status::Unavailable;
        answer.error = QStringLiteral("no hay llavero del sistema disponible");
        break;
    case QKeychain::CouldNotDeleteEntry:
    case QKeychain::OtherError:
        answer.status = Keyring::Status::Unavailable;
        answer.error = QStringLiteral("el llavero del sistema no respondió como se esperaba");
        break;
    }
    return answer;
}

} // namespace

Keyring::Keyring(QString service) : m_service(std::move(service)) {}

Keyring::Answer Keyring::read(const QString &account) const
{
    QKeychain::ReadPasswordJob job(m_service);
    job.setKey(account);
    Answer answer = finish(job);
    if (answer.status == Status::Ok) {
        answer.password = job.binaryData();
        if (answer.password.isEmpty())
            answer.status = Status::NotFound;
    }
    return answer;
}

Keyring::Answer Keyring::write(const QString &account, const QByteArray &password) const
{
    QKeychain::WritePasswordJob job(m_service);
    job.setKey(account);
    job.setBinaryData(password);
    Answer answer = finish(job);
    // The job keeps its own copy until it goes; the copy is no use once written.
    QByteArray none;
    job.setBinaryData(none);
    return answer;
}

Keyring::Answer Keyring::remove(const QString &account) const
{
    QKeychain::DeletePasswordJob job(m_service);
    job.setKey(account);
    Answer answer = finish(job);
    if (answer.status == Status::NotFound)
        answer.status = Status::Ok;
    return answer;
}
