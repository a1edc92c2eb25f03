#include "tools/render/RenderBanner.h"
#include "tools/render/RenderOptions.h"

#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList args(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list.append(QString::fromUtf8(item));
    return list;
}

// The message of the OptionError the arguments raise; empty when they parse.
QString parseError(const QStringList &arguments)
{
    try {
        parseBannerOptions(arguments);
    } catch (const OptionError &e) {
        return e.message();
    }
    return {};
}

struct RunResult
{
    int exitCode = -1;
    QString errorOutput;
};

RunResult runRenderer(const QStringList &arguments)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("QT_SCALE_FACTOR"));
    env.remove(QStringLiteral("QT_FONT_DPI"));
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(ORVALIN_RENDER_PATH),
                  QStringList{QStringLiteral("banner")} + arguments);
    if (!process.waitForFinished(-1))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

TEST(RenderBannerOptions, DefaultsToAFreshBannerOfDesignSize)
{
    const BannerRenderOptions o = parseBannerOptions(args({"-o", "out.png"}));
    EXPECT_EQ(o.output, QStringLiteral("out.png"));
    EXPECT_EQ(o.twips, QSize(645, 4545));
    EXPECT_FALSE(o.caption || o.startColor || o.endColor || o.foreColor || o.fontName ||
                 o.fontSize || o.bold || o.autoSize);
}

TEST(RenderBannerOptions, ReadsEveryOption)
{
    const BannerRenderOptions o =
        parseBannerOptions(args({"--twips",     "375x4350", "--caption", "Orvalin Beta1",
                                 "--start",     "0",        "--end",     "0x000000FF",
                                 "--fore",      "8421504",  "--font",    "Arial",
                                 "--font-size", "14.25",    "--bold",    "0",
                                 "--autosize",  "1",        "-o",        "a.png"}));
    EXPECT_EQ(o.twips, QSize(375, 4350));
    EXPECT_EQ(o.caption, QStringLiteral("Orvalin Beta1"));
    EXPECT_EQ(o.startColor, 0u);
    EXPECT_EQ(o.endColor, 0xFFu);
    EXPECT_EQ(o.foreColor, 0x00808080u);
    EXPECT_EQ(o.fontName, QStringLiteral("Arial"));
    EXPECT_EQ(o.fontSize, 14.25f);
    EXPECT_EQ(o.bold, false);
    EXPECT_EQ(o.autoSize, true);
    EXPECT_EQ(parseBannerOptions(args({"-o", "a", "--start", "0x80000012"})).startColor,
              0x80000012u);
    EXPECT_EQ(parseBannerOptions(args({"-o", "a", "--caption", ""})).caption, QString());
}

TEST(RenderBannerOptions, BadOptionsNameWhatWasWrong)
{
    const struct
    {
        QStringList arguments;
        const char *mentions;
    } cases[] = {
        {args({}), "-o"},
        {args({"-o"}), "-o"},
        {args({"-o", ""}), "-o"},
        {args({"-o", "a", "--start", "azul"}), "--start"},
        {args({"-o", "a", "--end", "0x1FFFFFFFF"}), "--end"},
        {args({"-o", "a", "--fore", "-1"}), "--fore"},
        {args({"-o", "a", "--twips", "645"}), "--twips"},
        {args({"-o", "a", "--twips", "-645x10"}), "--twips"},
        {args({"-o", "a", "--font-size", "0"}), "--font-size"},
        {args({"-o", "a", "--font-size", "0.5"}), "--font-size"},
        {args({"-o", "a", "--font-size", "2161"}), "--font-size"},
        {args({"-o", "a", "--font-size", "nan"}), "--font-size"},
        {args({"-o", "a", "--font", " "}), "--font"},
        {args({"-o", "a", "--bold", "yes"}), "--bold"},
        {args({"-o", "a", "--autosize", "-1"}), "--autosize"},
        {args({"-o", "a", "--caption"}), "--caption"},
        {args({"-o", "a", "--colour", "1"}), "--colour"},
        {args({"-o", "a", "extra"}), "extra"},
    };
    for (const auto &c : cases) {
        const QString message = parseError(c.arguments);
        EXPECT_TRUE(message.contains(QLatin1String(c.mentions)))
            << c.arguments.join(QLatin1Char(' ')).toStdString() << " -> " << message.toStdString();
    }
}

TEST(RenderBannerOptions, PixelsAreTwipsDividedAndTruncated)
{
    EXPECT_EQ(bannerPixelSize(QSize(645, 4545), 15), QSize(43, 303));
    EXPECT_EQ(bannerPixelSize(QSize(659, 29), 15), QSize(43, 1));
    EXPECT_EQ(bannerPixelSize(QSize(645, 4545), 12), QSize(53, 378));
    EXPECT_THROW(bannerPixelSize(QSize(645, 14), 15), OptionError);
    EXPECT_THROW(bannerPixelSize(QSize(15 * (RenderOptions::maxSide + 1), 100), 15), OptionError);
}

TEST(RenderBannerImage, FreshBannerIsOpaqueNavyToLightBlue)
{
    BannerRenderOptions options;
    options.output = QStringLiteral("unused.png");
    const QImage image = renderBannerImage(options);
    ASSERT_EQ(image.size(), QSize(43, 303));
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;
    EXPECT_EQ(image.pixel(42, 302) & 0xFFFFFF, 0x000080u) << "navy at the bottom";
    EXPECT_GT(qRed(image.pixel(42, 0)), 150) << "light blue at the top";
}

TEST(RenderBannerImage, OptionsReachThePicture)
{
    BannerRenderOptions options;
    options.twips = QSize(1500, 3000);
    options.caption = QStringLiteral("Orvalin Beta1");
    options.startColor = 0;
    options.endColor = 0xFF;
    options.foreColor = 0x00808080;
    options.fontSize = 14.25f;
    options.autoSize = false;
    const QImage image = renderBannerImage(options);
    ASSERT_EQ(image.size(), QSize(100, 200));
    EXPECT_EQ(image.pixel(99, 199) & 0xFFFFFF, 0u);
    int grey = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            grey += (image.pixel(x, y) & 0xFFFFFF) == 0x808080;
    EXPECT_GT(grey, 50) << "the caption in grey";

    options.caption = QString();
    const QImage bare = renderBannerImage(options);
    for (int y = 0; y < bare.height(); ++y)
        for (int x = 0; x < bare.width(); ++x)
            ASSERT_NE(bare.pixel(x, y) & 0xFFFFFF, 0x808080u);
}

TEST(RenderBannerProgram, WritesOnePngPixelPerSurfacePixel)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString out = dir.filePath(QStringLiteral("banner.png"));
    const RunResult run = runRenderer({QStringLiteral("-o"), out});
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput.toStdString();
    const QImage image(out);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(43, 303));
    EXPECT_TRUE(image.hasAlphaChannel());

    const QString wide = dir.filePath(QStringLiteral("wide.png"));
    ASSERT_EQ(runRenderer({QStringLiteral("-o"), wide, QStringLiteral("--twips"),
                           QStringLiteral("1500x3000")})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(wide).size(), QSize(100, 200));
}

TEST(RenderBannerProgram, BadCallsExitTwoWithOneSpanishLine)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("never.png"));
    const QList<QStringList> calls = {
        {QStringLiteral("-o"), out, QStringLiteral("--start"), QStringLiteral("rojo")},
        {QStringLiteral("-o"), out, QStringLiteral("--twips"), QStringLiteral("10x10")},
        {QStringLiteral("-o"), out, QStringLiteral("--desconocida")},
        {QStringLiteral("--caption"), QStringLiteral("x")},
    };
    for (const QStringList &call : calls) {
        const RunResult run = runRenderer(call);
        EXPECT_EQ(run.exitCode, 2) << call.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(run.errorOutput.count(QLatin1Char('\n')), 1) << run.errorOutput.toStdString();
        EXPECT_TRUE(run.errorOutput.contains(QStringLiteral("válido")) ||
                    run.errorOutput.contains(QStringLiteral("falta")) ||
                    run.errorOutput.contains(QStringLiteral("desconocida")))
            << run.errorOutput.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
}

TEST(RenderBannerProgram, UnwritableOutputExitsOne)
{
    const RunResult run =
        runRenderer({QStringLiteral("-o"), QStringLiteral("/nonexistent-folder/banner.png")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errorOutput.contains(QStringLiteral("/nonexistent-folder/banner.png")));
}
