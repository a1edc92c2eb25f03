#pragma once

#include <QIcon>

// The program's pictures.
class OrvalinIcons
{
public:
    // The program's icon, at 16, 32, 48 and 256 pixels.
    static QIcon windowIcon();
    // The one 16 by 16 image of the result rows.
    static QIcon rowImage();
};
