#pragma once

#include "platform/UserControl.h"

#include <QColor>
#include <QImage>
#include <QString>

// A colour no control draws here, to see which device pixels a rendering left untouched.
constexpr QRgb untouched = 0xFF123456u;

// The control rendered through its window at a device pixel ratio of 2, onto a picture first
// filled with `untouched`.
QImage renderAtRatioTwo(QWidget &control);

// The first device pixel that is not what the surface pixel it shows should give: inside the
// window region a 2 x 2 block of the surface pixel, outside it `untouched`. Empty when all
// agree; otherwise a description naming the pixel, for the test's message.
QString firstBlockMismatch(const UserControl &control, const QImage &device);

// Sets the device pixels outside the control's window region to `untouched`.
void markOutsideUntouched(const UserControl &control, QImage &device);

// The first pixel where two pictures of the same control differ, or an empty string.
QString firstDifference(const QImage &expected, const QImage &actual);
