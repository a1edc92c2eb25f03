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
    process.start(QStringLiteral(ORVALIN_RENDER_PATH), QStringList{"banner"} + arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

int countColor(const QImage &image, QRgb rgb)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += (image.pixel(x, y) & 0xFFFFFF) == (rgb & 0xFFFFFF);
    return n;
}

} // namespace

TEST(RenderBannerOptions, ReadsEveryOptionAndDefaultsToTheDesignSize)
{
    const BannerRenderOptions plain = parseBannerOptions(args({"-o", "out.png"}));
    EXPECT_EQ(plain.twips, QSize(645, 4545));
    EXPECT_FALSE(plain.caption || plain.startColor || plain.fontSize || plain.autoSize);

    const BannerRenderOptions o =
        parseBannerOptions(args({"--twips",     "375x4350",   "--caption", "Orvalin Beta1",
                                 "--start",     "0x80000012", "--end",     "0x000000FF",
                                 "--fore",      "8421504",    "--font",    "Arial",
                                 "--font-size", "14.25",      "--bold",    "0",
                                 "--autosize",  "1",          "-o",        "a.png"}));
    EXPECT_EQ(o.twips, QSize(375, 4350));
    EXPECT_EQ(o.caption, QStringLiteral("Orvalin Beta1"));
    EXPECT_EQ(o.startColor, 0x80000012u);
    EXPECT_EQ(o.endColor, 0xFFu);
    EXPECT_EQ(o.foreColor, 0x00808080u);
    EXPECT_EQ(o.fontSize, 14.25f);
    EXPECT_EQ(o.bold, false);
    EXPECT_EQ(o.autoSize, true);
}

TEST(RenderBannerOptions, BadOptionsNameWhatWasWrong)
{
    const std::pair<QStringList, const char *> cases[] = {
        {args({}), "-o"},
        {args({"-o"}), "-o"},
        {args({"-o", "a", "--start", "azul"}), "--start"},
        {args({"-o", "a", "--end", "0x1FFFFFFFF"}), "--end"},
        {args({"-o", "a", "--twips", "645"}), "--twips"},
        {args({"-o", "a", "--font-size", "0.5"}), "--font-size"},
        {args({"-o", "a", "--font-size", "2161"}), "--font-size"},
        {args({"-o", "a", "--font", " "}), "--font"},
        {args({"-o", "a", "--bold", "yes"}), "--bold"},
        {args({"-o", "a", "--autosize", "-1"}), "--autosize"},
        {args({"-o", "a", "--colour", "1"}), "--colour"},
        {args({"-o", "a", "extra"}), "extra"},
    };
    for (const auto &[arguments, mentions] : cases) {
        QString message;
        try {
            parseBannerOptions(arguments);
        } catch (const OptionError &e) {
            message = e.message();
        }
        EXPECT_TRUE(message.contains(QLatin1String(mentions)))
            << arguments.join(' ').toStdString() << " -> " << message.toStdString();
    }
    EXPECT_EQ(bannerPixelSize(QSize(659, 29), 15), QSize(43, 1)) << "truncated";
    EXPECT_THROW(bannerPixelSize(QSize(645, 14), 15), OptionError);
}

TEST(RenderBannerImage, OptionsReachAnOpaquePicture)
{
    BannerRenderOptions options;
    const QImage fresh = renderBannerImage(options);
    ASSERT_EQ(fresh.size(), QSize(43, 303));
    EXPECT_EQ(fresh.pixel(42, 302), 0xFF000080u) << "opaque navy at the bottom";
    EXPECT_GT(countColor(fresh, 0xFFFFFF), 20) << "white caption";

    options.twips = QSize(1500, 3000);
    options.caption = QStringLiteral("Orvalin Beta1");
    options.startColor = 0;
    options.foreColor = 0x00808080;
    options.fontSize = 14.25f;
    options.autoSize = false;
    const QImage image = renderBannerImage(options);
    ASSERT_EQ(image.size(), QSize(100, 200));
    EXPECT_EQ(image.pixel(99, 199), 0xFF000000u);
    EXPECT_GT(countColor(image, 0x808080), 50) << "the caption in grey";
    options.caption = QString();
    EXPECT_EQ(countColor(renderBannerImage(options), 0x808080), 0);
}

TEST(RenderBannerProgram, WritesOnePngPixelPerSurfacePixel)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("banner.png"));
    const RunResult run = runRenderer({"-o", out, "--twips", "1500x3000"});
    ASSERT_EQ(run.exitCode, 0) << run.errorOutput.toStdString();
    const QImage image(out);
    EXPECT_EQ(image.size(), QSize(100, 200));
    EXPECT_TRUE(image.hasAlphaChannel());
}

TEST(RenderBannerProgram, BadCallsExitTwoWithOneLineAndNoFile)
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("never.png"));
    const QList<QStringList> calls = {{"-o", out, "--start", "rojo"},
                                      {"-o", out, "--twips", "10x10"},
                                      {"-o", out, "--desconocida"},
                                      {"--caption", "x"}};
    for (const QStringList &call : calls) {
        const RunResult run = runRenderer(call);
        EXPECT_EQ(run.exitCode, 2) << call.join(' ').toStdString();
        EXPECT_EQ(run.errorOutput.count('\n'), 1) << run.errorOutput.toStdString();
        EXPECT_FALSE(QFileInfo::exists(out));
    }
    const RunResult unwritable = runRenderer({"-o", "/nonexistent-folder/b.png"});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.errorOutput.contains("/nonexistent-folder/b.png"));
}
