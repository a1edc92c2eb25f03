#include "platform/messenger/accounts/Keyring.h"

#include "platform/messenger/accounts/SecretService.h"

#include <QEventLoop>
#include <qt6keychain/keychain.h>

namespace {

// The user has this long to answer the keyring's unlock prompt.
constexpr std::chrono::minutes unlockLimit(2);

Keyring::Answer unavailable(Keyring::Problem problem)
{
    Keyring::Answer answer;
    answer.status = Keyring::Status::Unavailable;
    answer.problem = problem;
    answer.error = Keyring::problemText(problem);
    return answer;
}

Keyring::Problem problemOf(QKeychain::Error error)
{
    switch (error) {
    case QKeychain::AccessDeniedByUser:
    case QKeychain::AccessDenied:
        // The Secret Service denies a locked collection too: that is told as such.
        return SecretService::state() == SecretService::State::Locked ? Keyring::Problem::Locked
                                                                      : Keyring::Problem::Refused;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return Keyring::Problem::Absent;
    case QKeychain::NoError:
    case QKeychain::EntryNotFound:
    case QKeychain::CouldNotDeleteEntry:
    case QKeychain::OtherError:
        break;
    }
    return SecretService::state() == SecretService::State::Absent ? Keyring::Problem::Absent
                                                                  : Keyring::Problem::Failed;
}

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
    default:
        return unavailable(problemOf(job.error()));
    }
    return answer;
}

} // namespace

Keyring::Keyring(QString service, Unlocking unlocking)
    : m_service(std::move(service)), m_unlocking(unlocking)
{
}

QString Keyring::problemText(Problem problem)
{
    switch (problem) {
    case Problem::Locked:
        return QStringLiteral("el llavero del sistema está bloqueado");
    case Problem::Refused:
        return QStringLiteral("no se dio permiso para usar el llavero del sistema: se cerró su "
                              "petición de contraseña");
    case Problem::Absent:
        return QStringLiteral("no hay llavero del sistema en esta sesión");
    case Problem::Failed:
        return QStringLiteral("el llavero del sistema no respondió como se esperaba");
    case Problem::None:
        break;
    }
    return {};
}

Keyring::Answer Keyring::checkOpen() const
{
    Answer open;
    open.status = Status::Ok;
    // Only a locked Secret Service is stopped here; anything else is left to QtKeychain, which
    // may find another keyring (KWallet) or tell that there is none.
    if (SecretService::state() != SecretService::State::Locked)
        return open;
    if (m_unlocking == Unlocking::Never)
        return unavailable(Problem::Locked);
    switch (SecretService::unlock(unlockLimit)) {
    case SecretService::Unlock::Unlocked:
        return open;
    case SecretService::Unlock::Dismissed:
        return unavailable(Problem::Refused);
    case SecretService::Unlock::Failed:
        break;
    }
    return unavailable(Problem::Locked);
}

Keyring::Answer Keyring::read(const QString &account) const
{
    if (Answer closed = checkOpen(); closed.status != Status::Ok)
        return closed;
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
    if (Answer closed = checkOpen(); closed.status != Status::Ok)
        return closed;
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
    // A locked collection hides its items: "not found" there would leave the old one behind.
    if (Answer closed = checkOpen(); closed.status != Status::Ok)
        return closed;
    QKeychain::DeletePasswordJob job(m_service);
    job.setKey(account);
    Answer answer = finish(job);
    if (answer.status == Status::NotFound)
        answer.status = Status::Ok;
    return answer;
}
