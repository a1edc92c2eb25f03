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
            count +=
                qAlpha(image.pixel(x, y)) == 0 ? 1 : (qAlpha(image.pixel(x, y)) == 255 ? 0 : 1000);
    return count;
}

TEST(RenderTool, ParsesEveryOption)
{
    const ButtonRenderOptions plain = parseButtonOptions(split("-o a.png"));
    EXPECT_EQ(plain.size, QSize(75, 23));
    EXPECT_EQ(plain.buttonType, 2);
    EXPECT_EQ(plain.colorScheme, 1);
    EXPECT_FALSE(plain.backColor || plain.fontName || plain.pressed || plain.focus);

    const ButtonRenderOptions all = parseButtonOptions(
        split("--size 100x30 --type -7 --scheme 2147483647 --back 0x00FF8000 --fore 4294967295 "
              "--caption &Ok --font Arial --font-size 9.75 --bold --state down --disabled "
              "--focus --no-focus-rect --default -o b.png"));
    EXPECT_EQ(all.output, QStringLiteral("b.png"));
    EXPECT_EQ(all.size, QSize(100, 30));
    EXPECT_EQ(all.buttonType, -7);
    EXPECT_EQ(all.colorScheme, 2147483647);
    EXPECT_EQ(all.backColor, 0x00FF8000u);
    EXPECT_EQ(all.foreColor, 0xFFFFFFFFu);
    EXPECT_EQ(all.caption, QStringLiteral("&Ok"));
    EXPECT_EQ(all.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(all.fontSize, 9.75f);
    EXPECT_TRUE(all.bold && all.pressed && all.disabled && all.focus && all.noFocusRect &&
                all.isDefault);
}

TEST(RenderTool, BadOptionsAreNamed)
{
    const std::pair<const char *, const char *> cases[] = {
        {"--size 0x3", "--size"},         {"--size 75", "--size"},
        {"--size 0x10x20", "--size"},     {"--size 5000x20", "--size"},
        {"--type 2147483648", "--type"},  {"--scheme 1.5", "--scheme"},
        {"--back 0x1FFFFFFFF", "--back"}, {"--back -1", "--back"},
        {"--fore rojo", "--fore"},        {"--state pressed", "--state"},
        {"--font-size 0", "--font-size"}, {"--font-size nan", "--font-size"},
        {"--bogus", "--bogus"},           {"extra", "extra"},
        {"--caption", "--caption"},
    };
    for (const auto &[args, named] : cases) {
        try {
            parseButtonOptions(QStringList{"-o", "x.png"} + split(args));
            ADD_FAILURE() << args;
        } catch (const OptionError &error) {
            EXPECT_TRUE(error.message().contains(QLatin1String(named)))
                << args << ": " << error.message().toStdString();
        }
    }
    EXPECT_THROW(parseButtonOptions(split("--type 3")), OptionError); // no -o
}

TEST(RenderTool, PicturesFollowTheOptions)
{
    ButtonRenderOptions options;
    options.buttonType = Beveled;
    const QImage beveled = renderButtonImage(options);
    EXPECT_EQ(beveled.size(), QSize(75, 23));
    EXPECT_EQ(transparentPixels(beveled), 4);
    EXPECT_EQ(qAlpha(beveled.pixel(74, 22)), 0);

    // Disabled looks ignore the pressed state.
    options.caption = QStringLiteral("&Buscar");
    options.disabled = true;
    const QImage disabledUp = renderButtonImage(options);
    options.pressed = true;
    EXPECT_EQ(renderButtonImage(options), disabledUp);

    // The focus cue shows only when ShowFocusRect allows it.
    ButtonRenderOptions thin;
    thin.buttonType = ThinEdge;
    const QImage unfocused = renderButtonImage(thin);
    thin.focus = true;
    EXPECT_NE(renderButtonImage(thin), unfocused);
    thin.noFocusRect = true;
    EXPECT_EQ(renderButtonImage(thin), unfocused);
}

struct ToolRun
{
    int exitCode;
    QString errors;
};

ToolRun runTool(const QStringList &args)
{
    QProcess process;
    process.start(QStringLiteral(ORVALIN_RENDER_PATH), args);
    EXPECT_TRUE(process.waitForFinished());
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

TEST(RenderTool, ProgramWritesThePictureOrFailsWithOneLine)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("rounded.png"));
    const ToolRun ok =
        runTool(QStringList{"button", "-o", out} + split("--type 4 --size 40x20 --caption Sí"));
    ASSERT_EQ(ok.exitCode, 0) << ok.errors.toStdString();
    const QImage written(out);
    EXPECT_EQ(written.size(), QSize(40, 20));
    EXPECT_TRUE(written.hasAlphaChannel());
    EXPECT_EQ(transparentPixels(written), 12);
    EXPECT_EQ(qAlpha(written.pixel(1, 1)), 255);
    ButtonRenderOptions same;
    same.buttonType = Rounded;
    same.size = QSize(40, 20);
    same.caption = QStringLiteral("Sí");
    EXPECT_EQ(written.convertToFormat(QImage::Format_ARGB32), renderButtonImage(same));

    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    for (const QStringList &args : {QStringList{"button", "-o", bad, "--type", "x"},
                                    QStringList{"button"}, QStringList{}, QStringList{"mapa"}}) {
        const ToolRun failed = runTool(args);
        EXPECT_EQ(failed.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(failed.errors.startsWith(QLatin1String("orvalin-render: ")));
        EXPECT_EQ(failed.errors.count(QLatin1Char('\n')), 1) << failed.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(bad));
}

} // namespace
