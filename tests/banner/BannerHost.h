#pragma once

#include "controls/banner/CsLogo.h"

#include <QWidget>

#include <memory>

// A shown window holding one banner, so that sizing the banner reaches it at once (a hidden
// widget only notes a new size until it is shown).
class BannerHost
{
public:
    BannerHost() : m_window(std::make_unique<QWidget>())
    {
        m_window->resize(900, 900);
        m_banner = new csLogo(m_window.get());
        m_window->show();
    }

    csLogo &banner() { return *m_banner; }
    // Sizes the banner in pixels; the host's resize runs Draw.
    void resize(int widthPixels, int heightPixels) { m_banner->resize(widthPixels, heightPixels); }

private:
    std::unique_ptr<QWidget> m_window;
    csLogo *m_banner = nullptr;
};

// The red component of the pixel.
inline int redAt(const csLogo &banner, int x, int y)
{
    return int(banner.surface().pixel(x, y) & 0xFF);
}
