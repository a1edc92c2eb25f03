#include "tools/render/RenderButton.h"
#include "tools/render/RenderOptions.h"

#include "controls/button/ButtonStyles.h"
#include "platform/base/Product.h"
#include "tests/support/HeadlessRun.h"

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

TEST(RenderTool, HelpAndVersionNeedNoDisplay)
{
    const QString program = QStringLiteral(ORVALIN_RENDER_PATH);
    const HeadlessRun version = runHeadless(program, {"--version"});
    EXPECT_EQ(version.exitCode, 0) << version.err.toStdString();
    EXPECT_EQ(version.out, "orvalin-render " + Product::version() + "\n");

    const HeadlessRun help = runHeadless(program, {"--help"});
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    for (const char *shown : {"button", "banner", "form", "--size", "--twips", "--autosize",
                              "--scan", "--version", "Opciones:"})
        EXPECT_TRUE(help.out.contains(QLatin1String(shown))) << shown;
    for (const QStringList &args : {QStringList{"button", "--help"}, QStringList{"banner", "-h"},
                                    QStringList{"form", "--help"}}) {
        const HeadlessRun sub = runHeadless(program, args);
        EXPECT_EQ(sub.exitCode, 0) << args.join(' ').toStdString() << sub.err.toStdString();
        // Each command's help has the same shape: its usage, then its options.
        EXPECT_TRUE(sub.out.startsWith(QLatin1String("Uso: orvalin-render ") + args.first()))
            << sub.out.toStdString();
        EXPECT_TRUE(sub.out.contains(QLatin1String("\nOpciones:\n  -h, --help")))
            << sub.out.toStdString();
        EXPECT_TRUE(sub.out.contains(QLatin1String("  -o SALIDA.png "))) << sub.out.toStdString();
    }
}

TEST(RenderTool, UsageErrorsKeepTheirWords)
{
    const QList<QPair<QStringList, QString>> cases = {
        {{}, "falta la orden: button, banner o form (uso: orvalin-render ORDEN ...)"},
        {{"--bogus", "button"}, "orden desconocida: «--bogus» (se espera button, banner o form)"},
        {{"button", "-o"}, "falta el valor de -o"},
        {{"button", "-o", ""}, "el archivo de -o no puede estar vacío"},
        {{"button", "-o", "x.png", "--bogus"}, "opción desconocida para «button»: «--bogus»"},
        {{"banner", "-o", "x.png", "extra"}, "argumento inesperado: «extra»"},
        {{"form", "Form1", "-o"}, "a «-o» le falta el archivo"},
        {{"form", "Form1"}, "falta «-o SALIDA.png»"},
        {{"form", "Form1", "Creditos", "-o", "x.png"}, "opción desconocida: «Creditos»"},
        {{"form", "Creditos", "-o", "x.png", "--scan"}, "«--scan» solo vale para Form1"},
    };
    for (const auto &[args, expected] : cases) {
        const HeadlessRun run = runHeadless(QStringLiteral(ORVALIN_RENDER_PATH), args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.err, "orvalin-render: " + expected + "\n");
    }
    // Every value given is checked, though the last one counts.
    EXPECT_THROW(parseButtonOptions({"-o", "x.png", "--size", "0x3", "--size", "10x10"}),
                 OptionError);
    EXPECT_EQ(parseButtonOptions({"--size=10x12", "-o", "x.png", "--size", "9x9"}).size,
              QSize(9, 9));
}

} // namespace
