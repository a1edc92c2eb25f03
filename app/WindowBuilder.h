#pragma once

#include "app/TwipGeometry.h"
#include "platform/WinTypes.h"
#include "platform/WindowDescription.h"

#include <QFont>
#include <QString>

class Button;
class QWidget;
class csLogo;

// Builds a window from its stored description: places its controls in twips, gives its banner
// and buttons their saved settings, and puts the window at the centre of the screen the first
// time it is shown.
class WindowBuilder
{
public:
    WindowBuilder(QWidget *window, WindowDescription stored);

    const TwipGeometry &twips() const { return m_twips; }
    QRect rect(int left, int top, int width, int height) const
    {
        return m_twips.rect(left, top, width, height);
    }

    // The banner "csLogo1" down the window's left edge; it never takes the focus.
    csLogo *banner(QWidget *parent, int heightTwips) const;
    // A button with the saved settings stored under its name.
    Button *button(QWidget *parent, const QString &name, const QRect &geometry) const;

    // The windows' fonts are given by family and points; their text colours as 0x00BBGGRR.
    static QFont pointFont(const QString &family, qreal points, bool bold = false);
    static void setTextColor(QWidget *widget, ColorRef color);

private:
    TwipGeometry m_twips;
    WindowDescription m_stored;
};
