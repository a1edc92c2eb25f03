#include "tools/render/RenderButton.h"
#include "tools/render/RenderOptions.h"

#include "controls/button/ButtonStyles.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QStringList split(const char *text)
{
    return QString::fromUtf8(text).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

int transparentPixels(const QImage &image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qAlpha(image.pixel(x, y)) == 255 ? 0 : 1;
    return count;
}

TEST(RenderTool, BadOptionsAreNamed)
{
    const std::pair<const char *, const char *> cases[] = {
        {"--size 0x3", "--size"},
        {"--size 0x10x20", "--size"},
        {"--size 5000x20", "--size"},
        {"--type 2147483648", "--type"},
        {"--scheme 1.5", "--scheme"},
        {"--back -1", "--back"},
        {"--fore 0x1FFFFFFFF", "--fore"},
        {"--state pressed", "--state"},
        {"--font-size nan", "--font-size"},
        {"--bogus", "--bogus"},
        {"extra", "extra"},
        {"--caption", "--caption"},
    };
    for (const auto &[args, named] : cases) {
        try {
            parseButtonOptions(QStringList{"-o", "x.png"} + split(args));
            ADD_FAILURE() << args;
        } catch (const OptionError &error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(named))) << args;
        }
    }
    EXPECT_THROW(parseButtonOptions(split("--type 3")), OptionError); // no -o
    try {
        parseButtonOptions({"-o", "x.png", "--font", " "});
        ADD_FAILURE() << "blank --font";
    } catch (const OptionError &error) {
        EXPECT_TRUE(error.message().contains(QLatin1String("--font"))) << "blank --font";
    }
}

TEST(RenderTool, PicturesFollowTheOptions)
{
    ButtonRenderOptions thin;
    thin.buttonType = ThinEdge;
    const QImage unfocused = renderButtonImage(thin);
    thin.focus = true;
    EXPECT_NE(renderButtonImage(thin), unfocused);
    thin.noFocusRect = true;
    EXPECT_EQ(renderButtonImage(thin), unfocused);
    thin.disabled = true;
    const QImage disabledUp = renderButtonImage(thin);
    thin.pressed = true;
    EXPECT_EQ(renderButtonImage(thin), disabledUp);
}

TEST(RenderTool, ProgramWritesThePictureOrFailsWithOneLine)
{
    auto run = [](const QStringList &args) {
        QProcess process;
        process.start(QStringLiteral(ORVALIN_RENDER_PATH), args);
        EXPECT_TRUE(process.waitForFinished());
        return std::pair{process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    };
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("rounded.png"));
    const auto [code, errors] =
        run(QStringList{"button", "-o", out, "--caption", "Sí"} + split("--type 4 --size 40x20"));
    ASSERT_EQ(code, 0) << errors.toStdString();
    const QImage written(out);
    ButtonRenderOptions same;
    same.buttonType = Rounded;
    same.size = QSize(40, 20);
    same.caption = QStringLiteral("Sí");
    EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32), renderButtonImage(same));
    EXPECT_EQ(transparentPixels(written), 12);

    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    for (const QStringList &args : {QStringList{"button", "-o", bad, "--type", "x"},
                                    QStringList{"button"}, QStringList{}, QStringList{"mapa"}}) {
        const auto [failCode, message] = run(args);
        EXPECT_EQ(failCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(message.startsWith(QLatin1String("orvalin-render: ")));
        EXPECT_EQ(message.count(QLatin1Char('\n')), 1) << message.toStdString();
    }
    EXPECT_FALSE(QFile::exists(bad));
}

} // namespace
