#pragma once

#include "controls/button/ButtonPainter.h"

// The drawing lists of the seven button styles. Each draws one look on a surface that the
// frame has already cleared and filled with FaceColor (and, when enabled, whose text colour
// it has set to TextColor). A ButtonType outside 1 to 7 draws nothing more.
enum ButtonTypeValue : qint32 {
    Beveled = 1,
    Classic = 2,
    Gradient = 3,
    Rounded = 4,
    Etched = 5,
    ThickEdge = 6,
    ThinEdge = 7,
};

void paintButtonStyle(ButtonPainter &painter, qint32 buttonType, ButtonLook look);

// One function per style, each in the file named after it (ClassicStyle.cpp, …).
void paintBeveled(ButtonPainter &painter, ButtonLook look);
void paintClassic(ButtonPainter &painter, ButtonLook look);
void paintThickEdge(ButtonPainter &painter, ButtonLook look);
void paintThinEdge(ButtonPainter &painter, ButtonLook look);
void paintRounded(ButtonPainter &painter, ButtonLook look);
void paintEtched(ButtonPainter &painter, ButtonLook look);
void paintGradient(ButtonPainter &painter, ButtonLook look);
