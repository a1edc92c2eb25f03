#include "HiDpiSupport.h"
#include "app/Creditos.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "controls/button/ButtonStyles.h"
#include "tests/banner/BannerHost.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A shown window with one button of the style, sized and drawn.
class ButtonHost
{
public:
    explicit ButtonHost(qint32 buttonType) : m_window(std::make_unique<QWidget>())
    {
        m_window->resize(200, 100);
        m_button = new Button(m_window.get());
        m_button->InitProperties();
        m_button->setButtonType(buttonType);
        m_button->setCaption(QStringLiteral("&Buscar"));
        m_button->setGeometry(10, 10, 89, 25);
        m_window->show();
    }
    Button &button() { return *m_button; }

private:
    std::unique_ptr<QWidget> m_window;
    Button *m_button = nullptr;
};

} // namespace

TEST(RatioTwo, EachButtonPixelBecomesASharpBlockInsideItsOutline)
{
    // Rounded cuts its corners out of the window; Gradient and Etched fill every pixel with
    // colours that a smoothing scale would blend.
    for (const qint32 type : {qint32(Rounded), qint32(Gradient), qint32(Etched)}) {
        ButtonHost host(type);
        Button &button = host.button();
        ASSERT_EQ(button.surface().image().size(), QSize(89, 25));
        EXPECT_EQ(firstBlockMismatch(button, renderAtRatioTwo(button)), QString()) << type;

        // The pressed and the disabled looks as well.
        button.HandleMouseDown(1, 0, 1.0f, 1.0f);
        EXPECT_EQ(firstBlockMismatch(button, renderAtRatioTwo(button)), QString()) << type;
        button.HandleMouseUp(1, 0, 1.0f, 1.0f);
        button.setButtonEnabled(VbFalse);
        EXPECT_EQ(firstBlockMismatch(button, renderAtRatioTwo(button)), QString()) << type;
    }
    // Rounded really has pixels outside its outline, so the comparison saw both kinds.
    ButtonHost rounded(Rounded);
    EXPECT_FALSE(rounded.button().containsPixel(0, 0));
}

TEST(RatioTwo, EachBannerPixelBecomesASharpBlock)
{
    BannerHost host;
    csLogo &banner = host.banner();
    banner.InitProperties();
    host.resize(25, 290);
    banner.setCaption(QStringLiteral("Orvalin Beta1"));
    banner.setBorderStyle(1);
    EXPECT_EQ(firstBlockMismatch(banner, renderAtRatioTwo(banner)), QString());
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
        for (int y = 0; y < logical.height(); ++y)
            for (int x = 0; x < logical.width(); ++x)
                if (!control->containsPixel(x, y))
                    for (int d = 0; d < 4; ++d)
                        part.setPixel(2 * x + d % 2, 2 * y + d / 2, untouched);
        EXPECT_EQ(firstBlockMismatch(*control, part), QString())
            << qPrintable(control->objectName());
    }
}
