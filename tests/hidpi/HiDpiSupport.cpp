#include "HiDpiSupport.h"

QImage renderAtRatioTwo(QWidget &control)
{
    QImage device(control.size() * 2, QImage::Format_ARGB32);
    device.fill(untouched);
    device.setDevicePixelRatio(2.0);
    control.render(&device);
    return device;
}

void markOutsideUntouched(const UserControl &control, QImage &device)
{
    for (int y = 0; y < control.height(); ++y) {
        for (int x = 0; x < control.width(); ++x) {
            if (control.containsPixel(x, y))
                continue;
            for (int d = 0; d < 4; ++d)
                device.setPixel(2 * x + d % 2, 2 * y + d / 2, untouched);
        }
    }
}

QString firstBlockMismatch(const UserControl &control, const QImage &device)
{
    const QImage &surface = control.surface().image();
    if (device.size() != surface.size() * 2)
        return QStringLiteral("device picture is %1x%2, expected %3x%4")
            .arg(device.width())
            .arg(device.height())
            .arg(surface.width() * 2)
            .arg(surface.height() * 2);
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const QRgb want =
                control.containsPixel(x, y) ? (surface.pixel(x, y) | 0xFF000000u) : untouched;
            for (int dy = 0; dy < 2; ++dy) {
                for (int dx = 0; dx < 2; ++dx) {
                    const QRgb got = device.pixel(2 * x + dx, 2 * y + dy) | 0xFF000000u;
                    if (got != want)
                        return QStringLiteral("surface pixel (%1, %2) %3: device pixel (%4, %5) "
                                              "is #%6, expected #%7")
                            .arg(x)
                            .arg(y)
                            .arg(control.containsPixel(x, y) ? "inside" : "outside")
                            .arg(2 * x + dx)
                            .arg(2 * y + dy)
                            .arg(got & 0xFFFFFFu, 6, 16, QLatin1Char('0'))
                            .arg(want & 0xFFFFFFu, 6, 16, QLatin1Char('0'));
                }
            }
        }
    }
    return {};
}

QString firstDifference(const QImage &expected, const QImage &actual)
{
    if (expected.size() != actual.size())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width())
            .arg(actual.height())
            .arg(expected.width())
            .arg(expected.height());
    const QImage a = expected.convertToFormat(QImage::Format_ARGB32);
    const QImage b = actual.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel (%1, %2) is #%3, expected #%4")
                    .arg(x)
                    .arg(y)
                    .arg(b.pixel(x, y), 8, 16, QLatin1Char('0'))
                    .arg(a.pixel(x, y), 8, 16, QLatin1Char('0'));
        }
    }
    return {};
}
