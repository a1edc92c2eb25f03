#include "controls/button/AccessKey.h"

QString accessKeyOf(const QString &caption)
{
    const QChar amp(QLatin1Char('&'));
    const qsizetype length = caption.size();
    if (length < 2)
        return {};
    const qsizetype p = caption.indexOf(amp);
    if (p < 0 || p == length - 1)
        return {};
    const QChar c = caption.at(p + 1);
    if (c != amp)
        return QString(c).toLower();
    // "&&" shows one "&"; the marker may follow it.
    const qsizetype q = caption.indexOf(amp, p + 2);
    if (q < 0 || q == length - 1)
        return {};
    const QChar c2 = caption.at(q + 1);
    if (c2 == amp)
        return {};
    return QString(c2).toLower();
}

QString captionAsShown(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&')) {
            ++i;
            if (i == caption.size())
                break;
        }
        shown.append(caption.at(i));
    }
    return shown;
}
