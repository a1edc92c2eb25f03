#pragma once

#include <QString>
#include <QTemporaryDir>
#include <QtGlobal>

// A throwaway Prosody on loopback for the live-client benchmarks, started through the tests'
// fixture script with one account, "bench", whose roster is written straight into the
// server's storage before it starts: contactCount contacts on the server's own domain, one in
// four of them subscribed to the user ("from") and the rest not at all ("none"). Stops the
// server when it goes; if the bench is killed, the fixture's watchdog does.
class BenchProsody
{
public:
    explicit BenchProsody(int contactCount);
    ~BenchProsody();
    Q_DISABLE_COPY_MOVE(BenchProsody)

    // Empty once the server runs; otherwise why it could not be started.
    QString failure() const { return m_failure; }

    QString jid() const { return QStringLiteral("bench@") + m_domain; }
    QString domain() const { return m_domain; }
    quint16 port() const { return m_port; }
    QString caFile() const { return m_caFile; }
    QByteArray password() const { return m_password; }
    // The address of contact i, 0 <= i < contactCount.
    static QString contact(int i, const QString &domain);
    // Whether contact i has the user ("from"); the others have subscription "none".
    static bool isFrom(int i) { return i % 4 == 0; }
    // How many contacts land on the contact list ("none"); the rest are on the reverse list.
    static int contactListSize(int contactCount);

private:
    bool writeRoster(int contactCount);

    QTemporaryDir m_dir;
    QString m_stateFile;
    QString m_failure;
    QString m_domain = QStringLiteral("localhost");
    quint16 m_port = 0;
    QString m_caFile;
    QByteArray m_password;
    bool m_started = false;
};
