// Runs on a screen scaled by 2 (QT_SCALE_FACTOR=2): every logical pixel is 2 x 2 device pixels.
#include "HiDpiSupport.h"
#include "app/Creditos.h"
#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/MessageReporter.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "tools/render/RenderBanner.h"
#include "tools/render/RenderButton.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QProcessEnvironment>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class NoLinks : public LinkOpener
{
public:
    void open(const QUrl &) override {}
};

class FailOnMessage : public MessageReporter
{
public:
    void error(const QString &, const QString &text) override { ADD_FAILURE() << qPrintable(text); }
    void warning(const QString &, const QString &text) override
    {
        ADD_FAILURE() << qPrintable(text);
    }
};

class ScaledScreen : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::primaryScreen()->devicePixelRatio(), 2.0)
            << "these tests need QT_SCALE_FACTOR=2";
    }

    // The picture the render tool draws on an unscaled screen with the given arguments.
    QImage renderedUnscaled(const QStringList &args)
    {
        const QString out = m_dir.filePath(QStringLiteral("unscaled.png"));
        QProcess tool;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        tool.setProcessEnvironment(env);
        tool.start(QStringLiteral(ORVALIN_RENDER_PATH), args + QStringList{"-o", out});
        EXPECT_TRUE(tool.waitForFinished(-1));
        EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().constData();
        QImage picture(out);
        EXPECT_FALSE(picture.isNull()) << qPrintable(out);
        return picture;
    }

    QTemporaryDir m_dir;
    NoLinks m_links;
    FailOnMessage m_reporter;
};

} // namespace

TEST_F(ScaledScreen, ControlsDrawTheSamePixelsAsOnAnUnscaledScreen)
{
    // The surface stays in logical pixels: its text, its twips and its outline are those of an
    // unscaled screen.
    Button button;
    EXPECT_EQ(button.twipsPerPixelY(), 15);
    EXPECT_EQ(button.surface().logicalDpi(), 96);

    ButtonRenderOptions buttonOptions;
    buttonOptions.size = QSize(89, 25);
    buttonOptions.buttonType = 5;
    buttonOptions.caption = QStringLiteral("&Buscar");
    buttonOptions.fontName = QStringLiteral("MS Sans Serif");
    buttonOptions.fontSize = 8.25f;
    buttonOptions.focus = true;
    EXPECT_EQ(firstDifference(renderedUnscaled({"button", "--size", "89x25", "--type", "5",
                                                "--caption", "&Buscar", "--font", "MS Sans Serif",
                                                "--font-size", "8.25", "--focus"}),
                              renderButtonImage(buttonOptions)),
              QString());

    BannerRenderOptions bannerOptions;
    bannerOptions.twips = QSize(375, 4350);
    bannerOptions.caption = QStringLiteral("Orvalin Beta1");
    bannerOptions.fontName = QStringLiteral("Arial");
    bannerOptions.fontSize = 14.25f;
    EXPECT_EQ(firstDifference(
                  renderedUnscaled({"banner", "--twips", "375x4350", "--caption", "Orvalin Beta1",
                                    "--font", "Arial", "--font-size", "14.25"}),
                  renderBannerImage(bannerOptions)),
              QString());
}

TEST_F(ScaledScreen, WindowsKeepTheirLayoutAndShowEachSurfacePixelAsASharpBlock)
{
    Form1 form([] { return std::make_unique<MemoryMessengerClient>(DemoAccount::account()); },
               m_reporter, m_links);
    ASSERT_EQ(form.load(), Form1::LoadResult::Loaded);
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    EXPECT_EQ(form.devicePixelRatio(), 2.0);
    // Twips at 15 per logical pixel, as on an unscaled screen.
    EXPECT_EQ(form.centralWidget()->size(), QSize(263, 304));
    EXPECT_EQ(form.csLogo1()->geometry(), QRect(0, 0, 25, 290));
    EXPECT_EQ(form.command1()->geometry(), QRect(48, 256, 89, 25));
    EXPECT_EQ(form.command2()->geometry(), QRect(144, 256, 89, 25));
    EXPECT_EQ(form.findChild<QListWidget *>(QStringLiteral("Lista"))->geometry(),
              QRect(8, 16, 209, 145));
    EXPECT_EQ(form.findChild<QLineEdit *>(QStringLiteral("Text1"))->geometry(),
              QRect(8, 32, 209, 19));
    Creditos creditos;
    creditos.show();
    EXPECT_EQ(creditos.size(), QSize(287, 298));
    EXPECT_EQ(creditos.button1()->geometry(), QRect(88, 264, 137, 25));

    // What the window system gets: the window's own paint at the screen's ratio.
    for (UserControl *control : {static_cast<UserControl *>(form.command1()),
                                 static_cast<UserControl *>(form.csLogo1())}) {
        EXPECT_EQ(control->surface().image().size(), control->size());
        QImage device = control->grab().toImage();
        ASSERT_EQ(device.devicePixelRatio(), 2.0);
        // Under a cut-out outline the grab shows the window's background: not ours to check.
        markOutsideUntouched(*control, device);
        EXPECT_EQ(firstBlockMismatch(*control, device), QString())
            << qPrintable(control->objectName());
    }
}
