#include "controls/button/ButtonStyles.h"

// Styles whose drawing lists are not in yet show their face and caption.
namespace {
void faceAndCaption(ButtonPainter &painter, ButtonLook look)
{
    switch (look) {
    case ButtonLook::Up:
        painter.captionUp();
        break;
    case ButtonLook::Pressed:
        painter.captionPressed();
        break;
    case ButtonLook::Disabled:
        painter.embossedCaption();
        break;
    }
}
} // namespace

void paintGradient(ButtonPainter &painter, ButtonLook look) { faceAndCaption(painter, look); }
