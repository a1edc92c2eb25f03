#include "BannerHost.h"

#include "platform/PropertyBag.h"
#include "platform/base/Error.h"

#include <QJsonDocument>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <optional>

namespace {

PropertyBag throughJson(const PropertyBag &bag)
{
    const QByteArray text = QJsonDocument(bag.toJson()).toJson();
    return PropertyBag::fromJson(QJsonDocument::fromJson(text).object(), QStringLiteral("prueba"));
}

void expectDefaults(const csLogo &banner, float fontSize)
{
    EXPECT_EQ(banner.caption(), QStringLiteral("csLogo"));
    EXPECT_EQ(banner.foreColor(), 0x00FFFFFFu);
    EXPECT_EQ(banner.borderStyle(), 0);
    EXPECT_EQ(banner.startColor(), 0x00800000u);
    EXPECT_EQ(banner.endColor(), 0x00FFC0C0u);
    EXPECT_EQ(banner.fontName(), QStringLiteral("Arial"));
    EXPECT_EQ(banner.fontSize(), fontSize);
    EXPECT_EQ(banner.fontBold(), VbTrue);
    EXPECT_EQ(banner.fontItalic(), VbFalse);
    EXPECT_EQ(banner.fontUnderline(), VbFalse);
    EXPECT_EQ(banner.fontAutoSize(), VbTrue);
}

} // namespace

TEST(BannerPersistence, FreshBannerSavesOnlyItsFontSize)
{
    csLogo banner;
    QSignalSpy spy(&banner, &UserControl::propertyChanged);
    banner.InitProperties();
    EXPECT_EQ(spy.count(), 0) << "a fresh start sets its values directly";
    expectDefaults(banner, 16.0f);
    PropertyBag bag;
    banner.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("fontsize")});

    // On a zero-height banner every painting stops before the font is fitted.
    BannerHost host;
    host.resize(43, 0);
    host.banner().InitProperties();
    host.banner().setFontSize(10);
    PropertyBag atDefault;
    host.banner().WriteProperties(atDefault);
    EXPECT_TRUE(atDefault.isEmpty()) << atDefault.keys().join(',').toStdString();
}

TEST(BannerPersistence, EmptyBagLoadsTheDefaultsAndFitsOnlyFromTheNextPainting)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &banner = host.banner();
    banner.ReadProperties(PropertyBag());
    expectDefaults(banner, 10.0f); // painted during the load while FontAutoSize was False
    EXPECT_EQ(banner.surface().pixel(42, 302), 0x00800000u) << "the load painted";
    host.resize(44, 303);
    EXPECT_NE(banner.fontSize(), 10.0f);
}

TEST(BannerPersistence, EveryValueSurvivesSavingAndLoading)
{
    csLogo original;
    original.InitProperties();
    original.setFontAutoSize(VbFalse);
    original.setForeColor(0x80000012);
    original.setBorderStyle(1);
    original.setCaption(QStringLiteral("Orvalin Beta1 ñ"));
    original.setStartColor(0x00000000);
    original.setEndColor(0x000000FF);
    original.setFontName(QStringLiteral("Verdana"));
    original.setFontSize(14.25f);
    original.setFontBold(VbFalse);
    original.setFontItalic(VbTrue);
    original.setFontUnderline(VbTrue);
    PropertyBag saved;
    original.WriteProperties(saved);
    EXPECT_EQ(saved.count(), 11);

    csLogo loaded;
    loaded.ReadProperties(throughJson(saved));
    EXPECT_EQ(loaded.foreColor(), 0x80000012u);
    EXPECT_EQ(loaded.borderStyle(), 1);
    EXPECT_EQ(loaded.caption(), QStringLiteral("Orvalin Beta1 ñ"));
    EXPECT_EQ(loaded.endColor(), 0xFFu);
    EXPECT_EQ(loaded.fontSize(), 14.25f);
    EXPECT_EQ(loaded.fontBold(), VbFalse);
    EXPECT_EQ(loaded.fontAutoSize(), VbFalse);
    PropertyBag again;
    loaded.WriteProperties(again);
    EXPECT_EQ(again, saved);
}

TEST(BannerPersistence, LoadStopsAtTheFirstBadValueNamingIt)
{
    csLogo banner;
    banner.InitProperties();
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("ForeColor"), 0x00112233);
    bag.writeProperty(QStringLiteral("BorderStyle"), 7);
    bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("nunca"));
    EXPECT_THROW(banner.ReadProperties(bag), Error);
    EXPECT_EQ(banner.foreColor(), 0x00112233u) << "key 1 was applied before the error";
    EXPECT_EQ(banner.caption(), QStringLiteral("csLogo")) << "key 3 was never reached";

    const std::pair<const char *, QVariant> bad[] = {
        {"BorderStyle", 7},
        {"StartColor", QStringLiteral("azul")},
        {"EndColor", 4294967295.0},
        {"BorderStyle", 40000},
        {"FontSize", 0},
        {"FontAutoSize", QStringLiteral("quizá")},
    };
    for (const auto &[key, value] : bad) {
        PropertyBag one;
        one.writeProperty(QString::fromLatin1(key), value);
        try {
            csLogo().ReadProperties(one);
            ADD_FAILURE() << key << " = " << value.toString().toStdString() << " was accepted";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(key))) << e.what();
        }
    }
}

TEST(BannerSetters, EachSignalsItsOwnKeyThenRepaintsEvenForTheSameValue)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &b = host.banner();
    b.InitProperties();
    const std::pair<const char *, std::function<void()>> setters[] = {
        {"ForeColor", [&] { b.setForeColor(b.foreColor()); }},
        {"BorderStyle", [&] { b.setBorderStyle(b.borderStyle()); }},
        {"Caption", [&] { b.setCaption(b.caption()); }},
        {"StartColor", [&] { b.setStartColor(b.startColor()); }},
        {"EndColor", [&] { b.setEndColor(b.endColor()); }},
        {"FontName", [&] { b.setFontName(b.fontName()); }},
        {"FontSize", [&] { b.setFontSize(b.fontSize()); }},
        {"FontBold", [&] { b.setFontBold(b.fontBold()); }},
        {"FontItalic", [&] { b.setFontItalic(b.fontItalic()); }},
        {"FontUnderline", [&] { b.setFontUnderline(b.fontUnderline()); }},
        {"FontAutoSize", [&] { b.setFontAutoSize(b.fontAutoSize()); }},
    };
    constexpr ColorRef marker = 0x0000FF00;
    for (const auto &[key, set] : setters) {
        b.surface().fillRect({0, 0, 43, 303}, marker);
        QStringList keys;
        std::optional<ColorRef> pixelAtSignal;
        const auto connection =
            QObject::connect(&b, &UserControl::propertyChanged, &b, [&](const QString &k) {
                keys.append(k);
                pixelAtSignal = b.surface().pixel(42, 302);
            });
        set();
        QObject::disconnect(connection);
        EXPECT_EQ(keys, QStringList{QString::fromLatin1(key)});
        EXPECT_EQ(pixelAtSignal, marker) << key << ": signalled before painting";
        EXPECT_NE(b.surface().pixel(42, 302), marker) << key << ": repainted";
    }
}

TEST(BannerSetters, StoreAnyValueExceptWhatTheSurfaceRejects)
{
    BannerHost host;
    csLogo &banner = host.banner();
    banner.InitProperties();
    banner.setStartColor(0xFFFFFFFF);
    banner.setFontName(QString(40, QLatin1Char('n')));
    EXPECT_EQ(banner.startColor(), 0xFFFFFFFFu);
    EXPECT_EQ(banner.fontName().size(), 40);

    const float size = banner.fontSize();
    QSignalSpy spy(&banner, &UserControl::propertyChanged);
    EXPECT_THROW(banner.setBorderStyle(2), Error);
    EXPECT_THROW(banner.setFontSize(0.5f), Error);
    EXPECT_THROW(banner.setFontSize(std::numeric_limits<float>::quiet_NaN()), Error);
    EXPECT_EQ(spy.count(), 0) << "a rejected value is not reported as changed";
    EXPECT_EQ(banner.borderStyle(), 0);
    EXPECT_EQ(banner.fontSize(), size);

    host.resize(43, 303);
    banner.setFontAutoSize(VbFalse);
    banner.setFontSize(16);
    banner.setFontAutoSize(7);
    EXPECT_EQ(banner.fontAutoSize(), 7);
    EXPECT_NE(banner.fontSize(), 16.0f) << "any value but False fits the font";
}

TEST(BannerHelp, MembersPublishTheirDescriptionsInOrder)
{
    EXPECT_EQ(csLogo::publicMembers(),
              (QStringList{"ForeColor", "BorderStyle", "Refresh", "Caption", "StartColor",
                           "EndColor", "Draw", "FontName", "FontSize", "FontBold", "FontItalic",
                           "FontUnderline", "FontAutoSize"}));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("Caption")),
              QStringLiteral("Text to be shown in the csLogo Box"));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("FontSize")),
              QStringLiteral("Gibt die Größe der Schriftart (in Punkten) an, die in jeder Zeile "
                             "für die gegebene Ebene verwendet wird."));
    EXPECT_TRUE(csLogo::helpString(QStringLiteral("Draw")).isEmpty());
}
