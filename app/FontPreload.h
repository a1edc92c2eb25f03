#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

// Reads the user's font configuration on a second thread while the first window is built.
// The first text a window lays out would otherwise wait while fontconfig reads every
// configuration file and font cache and the toolkit registers every font. Made before the
// application object: the thread reads the configuration at once, and registers the fonts with
// the toolkit once applicationReady says the application object exists. Both libraries
// serialise their own use, so a text laid out before the thread is done waits for it there.
class FontPreload
{
public:
    FontPreload();
    ~FontPreload();
    FontPreload(const FontPreload &) = delete;
    FontPreload &operator=(const FontPreload &) = delete;

    // The application object exists; call once, on the thread that made it.
    void applicationReady();
    // Waits for the thread; call before the application object goes, since the toolkit's font
    // database goes with it. The destructor does the same.
    void finish();

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_applicationReady = false;
    bool m_stopping = false;
    std::thread m_thread;
};
