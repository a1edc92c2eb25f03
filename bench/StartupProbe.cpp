#include "bench/StartupProbe.h"

#include "app/DesktopLinkOpener.h"
#include "app/Form1.h"
#include "app/MessageBoxReporter.h"
#include "app/WindowWaiter.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/accounts/AccountChooser.h"
#include "platform/messenger/accounts/Keyring.h"
#include "platform/messenger/accounts/RememberedAccounts.h"
#include "platform/messenger/xmpp/NoPasswordSource.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcessEnvironment>
#include <QTimer>

#include <cstdio>

namespace {

long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// Where the start-up time goes: each step's end, in milliseconds, on the standard error.
void mark(const QElapsedTimer &clock, const char *step)
{
    std::fprintf(stderr, "%8.3f %s\n", double(clock.nsecsElapsed()) / 1e6, step);
}

// Ends the loop once the watched window has painted.
class FirstPaint : public QObject
{
public:
    explicit FirstPaint(const QElapsedTimer &clock) : m_clock(clock) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            mark(m_clock, "first paint begins");
            // Read the clock once this paint has run to its end.
            QTimer::singleShot(0, [this] {
                std::printf("%.3f %ld\n", double(m_clock.nsecsElapsed()) / 1e6, peakResidentKb());
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    const QElapsedTimer &m_clock;
    bool m_seen = false;
};

} // namespace

int startupProbe(const char *what)
{
    QElapsedTimer clock;
    clock.start();
    int argc = 1;
    char name[] = "orvalin";
    char *argv[] = {name, nullptr};
    QApplication app(argc, argv);
    mark(clock, "application");
    FirstPaint firstPaint(clock);
    if (qstrcmp(what, "empty") == 0 || qstrcmp(what, "text") == 0) {
        QWidget window;
        window.installEventFilter(&firstPaint);
        window.resize(263, 304);
        // One word of text: the font configuration every window with text has to read first.
        if (qstrcmp(what, "text") == 0)
            (new QLabel(QStringLiteral("Orvalin"), &window))->move(10, 10);
        window.show();
        return app.exec();
    }
    MessageBoxReporter reporter;
    DesktopLinkOpener linkOpener;
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // The account of the environment, else the demo; never one remembered by the user.
    const RememberedAccounts none{QString()};
    const AccountChooser chooser(environment, none);
    NoPasswordSource noPassword;
    Form1 form(
        [&] {
            return chooser.createClient(chooser.choose({}, AccountChooser::Fallback::Demo),
                                        Keyring(), noPassword, std::make_shared<WindowWaiter>());
        },
        reporter, linkOpener);
    mark(clock, "window built");
    if (form.load() != Form1::LoadResult::Loaded)
        return 1;
    mark(clock, "account loaded");
    form.installEventFilter(&firstPaint);
    form.show();
    mark(clock, "shown");
    return app.exec();
}
