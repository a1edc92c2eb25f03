// Draws arbitrary text as a caption, with access-key markers and tabs, into rectangles of
// every shape, including ones that reach outside the picture.
#include "fuzz/FuzzSupport.h"
#include "platform/Surface.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ensureGuiApplication();
    if (size < 4)
        return 0;
    const int left = int(int8_t(data[0]));
    const int top = int(int8_t(data[1]));
    const int width = data[2] % 120;
    const int height = data[3] % 60;
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(data + 4), qsizetype(size - 4));

    Surface surface;
    surface.resize(75, 23);
    surface.setTextColor(0x000000FF);
    surface.drawText(text, {left, top, left + width, top + height});
    surface.textWidth(text);
    surface.textHeight(text);
    surface.drawFocusRect({left, top, left + width, top + height});
    return 0;
}
