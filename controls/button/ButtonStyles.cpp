#include "controls/button/ButtonStyles.h"

void paintButtonStyle(ButtonPainter &painter, qint32 buttonType, ButtonLook look)
{
    switch (buttonType) {
    case Beveled:
        paintBeveled(painter, look);
        break;
    case Classic:
        paintClassic(painter, look);
        break;
    case Gradient:
        paintGradient(painter, look);
        break;
    case Rounded:
        paintRounded(painter, look);
        break;
    case Etched:
        paintEtched(painter, look);
        break;
    case ThickEdge:
        paintThickEdge(painter, look);
        break;
    case ThinEdge:
        paintThinEdge(painter, look);
        break;
    default:
        break; // a plain face
    }
}
