#include "app/FontPreload.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <fontconfig/fontconfig.h>

FontPreload::FontPreload() : m_thread([this] { run(); }) {}

FontPreload::~FontPreload()
{
    finish();
}

void FontPreload::finish()
{
    if (!m_thread.joinable())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_one();
    m_thread.join();
}

void FontPreload::applicationReady()
{
    {
        const std::lock_guard lock(m_mutex);
        m_applicationReady = true;
    }
    m_changed.notify_one();
}

void FontPreload::run()
{
    // The configuration the toolkit reads on its first font use: the same files, read once.
    FcInit();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_applicationReady || m_stopping; });
    // Without the application object the toolkit has no font database to fill.
    if (!m_applicationReady)
        return;
    lock.unlock();
    QFontDatabase::families();
    // The application font's match, which every window's first text needs.
    QFontInfo(QFont()).family();
}
