#pragma once

#include <QIcon>

// The program's pictures, drawn in code.
class OrvalinIcons
{
public:
    // The window icon at 16 and 32 pixels.
    static QIcon windowIcon();
    // The one 16 by 16 image of the result rows.
    static QIcon rowImage();
};
