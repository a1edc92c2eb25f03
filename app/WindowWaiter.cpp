#include "app/WindowWaiter.h"

#include "platform/messenger/PlainWaiter.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QThread>

namespace {

// Shown while a window waits for the server, so the user sees the program is busy, not stuck.
class BusyCursor
{
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    Q_DISABLE_COPY_MOVE(BusyCursor)
};

bool onGuiThread()
{
    const QCoreApplication *application = QCoreApplication::instance();
    return qobject_cast<const QGuiApplication *>(application) &&
           QThread::currentThread() == application->thread();
}

} // namespace

void WindowWaiter::wait(const Poll &poll) const
{
    using namespace std::chrono_literals;
    if (!onGuiThread()) {
        PlainWaiter().wait(poll);
        return;
    }
    const BusyCursor busy;
    while (!poll(5ms))
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
