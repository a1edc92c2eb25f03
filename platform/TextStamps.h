#pragma once

#include "platform/WinTypes.h"

#include <QFont>
#include <QImage>
#include <QList>
#include <QString>

#include <vector>

// The pixels a one-line caption sets, found once for each text, font and rectangle and then
// stamped in any colour: laying the text out again on every redraw made up most of a button's
// cost. Only captions drawn without antialiasing can be stamped; for any other the caller
// paints as before.
class TextStamps
{
public:
    // Pixels [from, to) of picture row y.
    struct Run
    {
        int y;
        int from;
        int to;
    };

    // The runs the caption sets on a picture of the given size, or nullptr when its pixels are
    // not all in the text colour.
    const QList<Run> *find(const QString &text, const QFont &font, const WinRect &rect,
                           QSize pictureSize);
    void clear() { m_stamps.clear(); }

    // Paints the caption as the surface always has: centred on one line, tabs expanded, "&"
    // marking the access key, clipped to the rectangle.
    static void paint(QImage &picture, const QString &text, const QFont &font, const WinRect &rect,
                      QRgb color);

private:
    struct Stamp
    {
        QString text;
        QFont font;
        WinRect rect;
        QSize pictureSize;
        bool exact = false;
        QList<Run> runs;
    };
    static Stamp make(const QString &text, const QFont &font, const WinRect &rect,
                      QSize pictureSize);

    // Most recently used last; a control shows only a few captions.
    std::vector<Stamp> m_stamps;
};
