#include "bench/BenchProsody.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QProcess>

BenchProsody::BenchProsody(int contactCount) : m_stateFile(m_dir.filePath(QStringLiteral("state")))
{
    if (!m_dir.isValid() || !writeRoster(contactCount)) {
        m_failure = QStringLiteral("cannot write the stored roster in %1").arg(m_dir.path());
        return;
    }
    QProcess fixture;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ORVALIN_PROSODY_SEED"),
                       m_dir.filePath(QStringLiteral("seed")));
    fixture.setProcessEnvironment(environment);
    fixture.setProcessChannelMode(QProcess::MergedChannels);
    fixture.start(QStringLiteral(ORVALIN_PROSODY_FIXTURE),
                  {QStringLiteral("start"), m_stateFile, QStringLiteral("bench")});
    if (!fixture.waitForFinished(120000) || fixture.exitStatus() != QProcess::NormalExit ||
        fixture.exitCode() != 0) {
        m_failure = QStringLiteral("the Prosody fixture did not start: %1")
                        .arg(QString::fromUtf8(fixture.readAll()).trimmed());
        return;
    }
    m_started = true;
    QFile state(m_stateFile);
    QHash<QString, QString> values;
    if (state.open(QIODevice::ReadOnly)) {
        while (!state.atEnd()) {
            const QString line = QString::fromUtf8(state.readLine()).trimmed();
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            if (equals > 0)
                values.insert(line.left(equals), line.mid(equals + 1));
        }
    }
    m_port = quint16(values.value(QStringLiteral("PORT")).toUInt());
    m_caFile = values.value(QStringLiteral("CAFILE"));
    m_password = values.value(QStringLiteral("PASSWORD")).toUtf8();
    if (m_port == 0 || m_caFile.isEmpty())
        m_failure =
            QStringLiteral("the fixture's state file %1 lacks PORT or CAFILE").arg(m_stateFile);
}

BenchProsody::~BenchProsody()
{
    if (m_started)
        QProcess::execute(QStringLiteral(ORVALIN_PROSODY_FIXTURE),
                          {QStringLiteral("stop"), m_stateFile});
}

QString BenchProsody::contact(int i, const QString &domain)
{
    return QStringLiteral("contacto%1@%2").arg(i, 5, 10, QLatin1Char('0')).arg(domain);
}

int BenchProsody::contactListSize(int contactCount)
{
    int from = 0;
    for (int i = 0; i < contactCount; ++i)
        from += BenchProsody::isFrom(i) ? 1 : 0;
    return contactCount - from;
}

bool BenchProsody::writeRoster(int contactCount)
{
    // Prosody's internal storage: one Lua table per user, the contacts by address and the
    // roster's own data under the key false.
    const QString folder = m_dir.filePath(QStringLiteral("seed/%1/roster").arg(m_domain));
    if (!QDir().mkpath(folder))
        return false;
    QByteArray text = "return {\n\t[false] = { [\"version\"] = 1; [\"pending\"] = {}; };\n";
    text.reserve(contactCount * 100);
    for (int i = 0; i < contactCount; ++i) {
        text += "\t[\"" + contact(i, m_domain).toUtf8() + "\"] = { [\"subscription\"] = \"" +
                (BenchProsody::isFrom(i) ? "from" : "none") + "\"; [\"name\"] = \"Contacto " +
                QByteArray::number(i) + "\"; [\"groups\"] = {}; };\n";
    }
    text += "};\n";
    QFile file(folder + QStringLiteral("/bench.dat"));
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}
