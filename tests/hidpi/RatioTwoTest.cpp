#include "HiDpiSupport.h"
#include "app/Creditos.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "controls/button/ButtonStyles.h"

#include <gtest/gtest.h>

TEST(RatioTwo, EachControlPixelBecomesASharpBlockInsideItsOutline)
{
    QWidget window;
    window.resize(200, 320);
    auto *button = new Button(&window);
    button->InitProperties();
    button->setCaption(QStringLiteral("&Buscar"));
    button->setGeometry(10, 10, 89, 25);
    auto *banner = new csLogo(&window);
    banner->InitProperties();
    banner->setBorderStyle(1);
    banner->setGeometry(120, 10, 25, 290);
    window.show();
    EXPECT_EQ(firstBlockMismatch(*banner, renderAtRatioTwo(*banner)), QString());

    // Rounded cuts its corners out of the window; Gradient and Etched fill every pixel with
    // colours that a smoothing scale would blend. The pressed and disabled looks too.
    for (const qint32 type : {qint32(Rounded), qint32(Gradient), qint32(Etched)}) {
        button->setButtonType(type);
        button->setButtonEnabled(VbTrue);
        button->resize(89, 25); // the outline follows the style on a resize
        EXPECT_EQ(firstBlockMismatch(*button, renderAtRatioTwo(*button)), QString()) << type;
        button->HandleMouseDown(1, 0, 1.0f, 1.0f);
        EXPECT_EQ(firstBlockMismatch(*button, renderAtRatioTwo(*button)), QString()) << type;
        button->HandleMouseUp(1, 0, 1.0f, 1.0f);
        button->setButtonEnabled(VbFalse);
        EXPECT_EQ(firstBlockMismatch(*button, renderAtRatioTwo(*button)), QString()) << type;
    }
    // Rounded really had pixels outside its outline, so both kinds were compared.
    button->setButtonType(Rounded);
    button->resize(90, 25);
    EXPECT_FALSE(button->containsPixel(0, 0));
}

TEST(RatioTwo, AWindowRenderedWholeKeepsItsControlsSharpAndInPlace)
{
    Creditos creditos;
    creditos.show();
    const QImage device = renderAtRatioTwo(creditos);
    ASSERT_EQ(device.size(), creditos.size() * 2);
    // Each control's part of the window picture, cut out at twice its logical place.
    for (UserControl *control : {static_cast<UserControl *>(creditos.button1()),
                                 static_cast<UserControl *>(creditos.csLogo1())}) {
        const QRect logical = control->geometry();
        QImage part = device.copy(QRect(logical.topLeft() * 2, logical.size() * 2));
        // Outside a control's outline the window's own background shows: nothing to compare.
        markOutsideUntouched(*control, part);
        EXPECT_EQ(firstBlockMismatch(*control, part), QString())
            << qPrintable(control->objectName());
    }
}
