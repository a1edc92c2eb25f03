// The real orvalin program on a private X display, driven from outside as a user would: the
// signed-out start and "&Salir" end the process, and no main window is ever shown before that.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <string>

namespace {

const QString MainTitle = QStringLiteral("Orvalin Beta1");
const QString MessageTitle = QStringLiteral("Orvalin Beta 1");

// An Xvfb server of its own, stopped with the test.
class PrivateDisplay
{
public:
    PrivateDisplay()
    {
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp"),
                                                QStringLiteral("-screen"), QStringLiteral("0"),
                                                QStringLiteral("1024x768x24")});
        QElapsedTimer waited;
        waited.start();
        while (!m_server.canReadLine() && waited.elapsed() < 10000)
            m_server.waitForReadyRead(100);
        const QByteArray number = m_server.readLine().trimmed();
        if (!number.isEmpty())
            m_name = QStringLiteral(":") + QString::fromLatin1(number);
    }
    ~PrivateDisplay()
    {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
    PrivateDisplay(const PrivateDisplay &) = delete;
    PrivateDisplay &operator=(const PrivateDisplay &) = delete;

    const QString &name() const { return m_name; }

    // The visible windows whose title is exactly this text.
    QStringList windows(const QString &title) const
    {
        return xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                        QStringLiteral("--name"),
                        QLatin1Char('^') + QRegularExpression::escape(title) + QLatin1Char('$')})
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    // The titles of every visible window that has one, to say what came instead.
    QStringList visibleTitles() const
    {
        QStringList titles;
        const QStringList ids = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                         QStringLiteral("--name"), QStringLiteral(".")})
                                    .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &id : ids)
            titles.append(xdotool({QStringLiteral("getwindowname"), id}).trimmed());
        return titles;
    }

    QString waitForWindow(const QString &title) const
    {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 60000) {
            const QStringList found = windows(title);
            if (!found.isEmpty())
                return found.first();
            QThread::msleep(100);
        }
        return {};
    }

    // Gives the window the keyboard, then types the keys one after the other.
    void type(const QString &window, const QStringList &keys) const
    {
        xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        for (const QString &key : keys) {
            QThread::msleep(300);
            xdotool({QStringLiteral("key"), key});
        }
    }

private:
    QString xdotool(const QStringList &arguments) const
    {
        QProcess tool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_name);
        tool.setProcessEnvironment(environment);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(10000);
        return QString::fromUtf8(tool.readAllStandardOutput());
    }

    QProcess m_server;
    QString m_name;
};

class ProgramProcessTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_FALSE(m_display.name().isEmpty()) << "Xvfb no arrancó";
    }

    void TearDown() override
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished(5000);
        }
    }

    void startProgram(const QString &accountFile)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), m_display.name());
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), m_dir.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           m_dir.filePath(QStringLiteral("config")));
        environment.remove(QStringLiteral("ORVALIN_XMPP"));
        environment.remove(QStringLiteral("ORVALIN_ACCOUNT"));
        m_program.setProcessEnvironment(environment);
        // Named on the command line, so no sign-in window comes first.
        m_program.start(QStringLiteral(ORVALIN_PATH),
                        {QStringLiteral("--account"),
                         accountFile.isEmpty() ? QStringLiteral("demo") : accountFile});
        ASSERT_TRUE(m_program.waitForStarted(10000));
    }

    // What the program had to say when a window it should show did not come.
    std::string whyNoWindow()
    {
        const bool running = m_program.state() != QProcess::NotRunning;
        const QByteArray said = m_program.readAllStandardError();
        const QString titles = m_display.visibleTitles().join(QStringLiteral("», «"));
        return (running
                    ? std::string("el programa sigue en marcha sin mostrarla")
                    : "el programa terminó con código " + std::to_string(m_program.exitCode())) +
               "; ventanas visibles: «" + titles.toStdString() + "»; dijo:\n" + said.toStdString();
    }

    bool endsWithStatus(int status)
    {
        return m_program.waitForFinished(15000) && m_program.exitStatus() == QProcess::NormalExit &&
               m_program.exitCode() == status;
    }

    QTemporaryDir m_dir;
    PrivateDisplay m_display;
    QProcess m_program;
};

TEST_F(ProgramProcessTest, SignedOutShowsOnlyTheMessageAndEnds)
{
    const QString path = m_dir.filePath(QStringLiteral("fuera.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"({"signInState": 1, "signInName": "yo@example.org", "displayName": "Yo",
                   "contactList": [], "reverseList": []})");
    file.close();
    startProgram(path);

    const QString box = m_display.waitForWindow(MessageTitle);
    ASSERT_FALSE(box.isEmpty()) << whyNoWindow();
    EXPECT_TRUE(m_display.windows(MainTitle).isEmpty());
    m_display.type(box, {QStringLiteral("Return")});
    EXPECT_TRUE(endsWithStatus(0)) << m_program.readAllStandardError().constData();
}

TEST_F(ProgramProcessTest, SalirEndsTheProcess)
{
    startProgram({});
    const QString window = m_display.waitForWindow(MainTitle);
    ASSERT_FALSE(window.isEmpty()) << whyNoWindow();
    m_display.type(window, {QStringLiteral("alt+a"), QStringLiteral("s")});
    EXPECT_TRUE(endsWithStatus(0)) << m_program.readAllStandardError().constData();
}

} // namespace
