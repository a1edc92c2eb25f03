#include "BannerHost.h"

#include "platform/Error.h"
#include "platform/PropertyBag.h"

#include <QJsonDocument>
#include <QMetaProperty>
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

QStringList spiedKeys(const QSignalSpy &spy)
{
    QStringList keys;
    for (const QList<QVariant> &call : spy)
        keys.append(call.at(0).toString());
    return keys;
}

} // namespace

TEST(BannerDefaults, FreshInstanceIsWhiteBoldArialOverNavy)
{
    csLogo banner;
    QSignalSpy spy(&banner, &UserControl::propertyChanged);
    banner.InitProperties();
    EXPECT_EQ(spy.count(), 0) << "a fresh start sets its values directly";
    EXPECT_EQ(banner.Caption(), QStringLiteral("csLogo"));
    EXPECT_EQ(banner.ForeColor(), 0x00FFFFFFu);
    EXPECT_EQ(banner.StartColor(), 0x00800000u);
    EXPECT_EQ(banner.EndColor(), 0x00FFC0C0u);
    EXPECT_EQ(banner.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(banner.FontSize(), 16.0f);
    EXPECT_EQ(banner.FontBold(), VbTrue);
    EXPECT_EQ(banner.FontItalic(), VbFalse);
    EXPECT_EQ(banner.FontUnderline(), VbFalse);
    EXPECT_EQ(banner.BorderStyle(), 0);
    EXPECT_EQ(banner.FontAutoSize(), VbTrue);
}

TEST(BannerDefaults, BeforeAnyStartTheMembersHoldTheirCreationValues)
{
    csLogo banner;
    EXPECT_EQ(banner.Caption(), QString());
    EXPECT_EQ(banner.StartColor(), 0u);
    EXPECT_EQ(banner.EndColor(), 0u);
    EXPECT_EQ(banner.FontAutoSize(), VbFalse);
}

TEST(BannerPersistence, FreshBannerSavesOnlyItsFontSize)
{
    csLogo banner;
    banner.InitProperties();
    PropertyBag bag;
    banner.WriteProperties(bag);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("fontsize")});
    EXPECT_EQ(bag.readFloat(QStringLiteral("FontSize"), 0), 16.0f);

    // On a zero-height banner every painting stops before the font is fitted.
    BannerHost host;
    host.resize(43, 0);
    host.banner().InitProperties();
    host.banner().setFontSize(10);
    ASSERT_EQ(host.banner().FontAutoSize(), VbTrue);
    PropertyBag atDefault;
    host.banner().WriteProperties(atDefault);
    EXPECT_TRUE(atDefault.isEmpty()) << atDefault.keys().join(',').toStdString();
}

TEST(BannerPersistence, EmptyBagLoadsTheDefaults)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &banner = host.banner();
    banner.ReadProperties(PropertyBag());
    EXPECT_EQ(banner.Caption(), QStringLiteral("csLogo"));
    EXPECT_EQ(banner.ForeColor(), 0x00FFFFFFu);
    EXPECT_EQ(banner.BorderStyle(), 0);
    EXPECT_EQ(banner.StartColor(), 0x00800000u);
    EXPECT_EQ(banner.EndColor(), 0x00FFC0C0u);
    EXPECT_EQ(banner.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(banner.FontBold(), VbTrue);
    EXPECT_EQ(banner.FontItalic(), VbFalse);
    EXPECT_EQ(banner.FontUnderline(), VbFalse);
    EXPECT_EQ(banner.FontAutoSize(), VbTrue);
    // The painting during the load ran before FontAutoSize was read: 10 points, unfitted.
    EXPECT_EQ(banner.FontSize(), 10.0f);
    EXPECT_EQ(banner.surface().pixel(42, 302), 0x00800000u) << "the load painted the bands";

    host.resize(44, 303); // the next painting fits the font
    EXPECT_NE(banner.FontSize(), 10.0f);
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
    EXPECT_EQ(loaded.ForeColor(), 0x80000012u);
    EXPECT_EQ(loaded.BorderStyle(), 1);
    EXPECT_EQ(loaded.Caption(), QStringLiteral("Orvalin Beta1 ñ"));
    EXPECT_EQ(loaded.StartColor(), 0u);
    EXPECT_EQ(loaded.EndColor(), 0xFFu);
    EXPECT_EQ(loaded.FontName(), QStringLiteral("Verdana"));
    EXPECT_EQ(loaded.FontSize(), 14.25f);
    EXPECT_EQ(loaded.FontBold(), VbFalse);
    EXPECT_EQ(loaded.FontItalic(), VbTrue);
    EXPECT_EQ(loaded.FontUnderline(), VbTrue);
    EXPECT_EQ(loaded.FontAutoSize(), VbFalse);

    PropertyBag again;
    loaded.WriteProperties(again);
    EXPECT_EQ(again, saved);
}

TEST(BannerPersistence, KeysMatchWhateverTheirCase)
{
    PropertyBag bag =
        PropertyBag::fromJson(QJsonDocument::fromJson(R"({"caption": "Orvalin", "fontbold": false,
                                    "forecolor": 8421504, "fontsize": 14.25})")
                                  .object(),
                              QStringLiteral("Creditos"));
    csLogo banner;
    banner.ReadProperties(bag);
    EXPECT_EQ(banner.Caption(), QStringLiteral("Orvalin"));
    EXPECT_EQ(banner.FontBold(), VbFalse);
    EXPECT_EQ(banner.ForeColor(), 0x00808080u);
    EXPECT_EQ(banner.FontSize(), 14.25f);
}

TEST(BannerPersistence, LoadStopsAtTheFirstBadValueKeepingWhatWasApplied)
{
    csLogo banner;
    banner.InitProperties();
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("ForeColor"), 0x00112233);
    bag.writeProperty(QStringLiteral("BorderStyle"), 7);
    bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("nunca"));
    try {
        banner.ReadProperties(bag);
        FAIL() << "a border style of 7 must be rejected";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("BorderStyle"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("7"))) << e.what();
    }
    EXPECT_EQ(banner.ForeColor(), 0x00112233u) << "key 1 was applied before the error";
    EXPECT_EQ(banner.Caption(), QStringLiteral("csLogo")) << "key 3 was never reached";
}

TEST(BannerPersistence, UnreadableValuesNameTheirKey)
{
    const struct
    {
        const char *key;
        QVariant value;
    } cases[] = {
        {"StartColor", QStringLiteral("azul")},
        {"EndColor", 4294967295.0},
        {"BorderStyle", 40000},
        {"FontSize", QStringLiteral("grande")},
        {"FontSize", 0},
        {"FontBold", QStringLiteral("quizá")},
        {"FontAutoSize", QStringLiteral("quizá")},
    };
    for (const auto &c : cases) {
        PropertyBag bag;
        bag.writeProperty(QString::fromLatin1(c.key), c.value);
        csLogo banner;
        try {
            banner.ReadProperties(bag);
            ADD_FAILURE() << c.key << " = " << c.value.toString().toStdString() << " was accepted";
        } catch (const Error &e) {
            EXPECT_TRUE(e.message().contains(QLatin1String(c.key))) << e.what();
        }
    }
}

TEST(BannerSetters, EachSignalsItsOwnKeyEvenForTheSameValue)
{
    BannerHost host;
    host.resize(43, 303);
    csLogo &banner = host.banner();
    banner.InitProperties();
    const std::pair<const char *, std::function<void()>> setters[] = {
        {"ForeColor", [&] { banner.setForeColor(banner.ForeColor()); }},
        {"BorderStyle", [&] { banner.setBorderStyle(banner.BorderStyle()); }},
        {"Caption", [&] { banner.setCaption(banner.Caption()); }},
        {"StartColor", [&] { banner.setStartColor(banner.StartColor()); }},
        {"EndColor", [&] { banner.setEndColor(banner.EndColor()); }},
        {"FontName", [&] { banner.setFontName(banner.FontName()); }},
        {"FontSize", [&] { banner.setFontSize(banner.FontSize()); }},
        {"FontBold", [&] { banner.setFontBold(banner.FontBold()); }},
        {"FontItalic", [&] { banner.setFontItalic(banner.FontItalic()); }},
        {"FontUnderline", [&] { banner.setFontUnderline(banner.FontUnderline()); }},
        {"FontAutoSize", [&] { banner.setFontAutoSize(banner.FontAutoSize()); }},
    };
    for (const auto &[key, set] : setters) {
        QSignalSpy spy(&banner, &UserControl::propertyChanged);
        banner.surface().fillRect({0, 0, 43, 303}, 0x0000FF00); // so the repaint shows
        set();
        EXPECT_EQ(spiedKeys(spy), QStringList{QString::fromLatin1(key)});
        EXPECT_NE(banner.surface().pixel(42, 302), 0x0000FF00u) << key << " repaints";
    }
}

TEST(BannerSetters, SignalComesBeforeThePainting)
{
    BannerHost host;
    host.resize(10, 20);
    csLogo &banner = host.banner();
    banner.setStartColor(rgb(0, 0, 0));
    std::optional<ColorRef> seenAtSignal;
    QObject::connect(&banner, &UserControl::propertyChanged, &banner,
                     [&](const QString &) { seenAtSignal = banner.surface().pixel(9, 19); });
    banner.setStartColor(rgb(200, 0, 0));
    ASSERT_TRUE(seenAtSignal.has_value());
    EXPECT_EQ(*seenAtSignal, rgb(0, 0, 0)) << "not yet painted when the host hears of it";
    EXPECT_EQ(banner.surface().pixel(9, 19), rgb(200, 0, 0));
}

TEST(BannerSetters, ValuesAreStoredUnchecked)
{
    csLogo banner;
    banner.setStartColor(0xFFFFFFFF);
    banner.setCaption(QString(5000, QLatin1Char('x')));
    banner.setFontAutoSize(7);
    banner.setFontName(QString(40, QLatin1Char('n')));
    EXPECT_EQ(banner.StartColor(), 0xFFFFFFFFu);
    EXPECT_EQ(banner.Caption().size(), 5000);
    EXPECT_EQ(banner.FontAutoSize(), 7);
    EXPECT_EQ(banner.FontName().size(), 40);
    banner.setFontBold(5);
    EXPECT_EQ(banner.FontBold(), VbTrue) << "the surface keeps a plain flag";
}

TEST(BannerSetters, SurfaceRejectsBadBorderStyleAndFontSize)
{
    csLogo banner;
    banner.InitProperties();
    QSignalSpy spy(&banner, &UserControl::propertyChanged);
    EXPECT_THROW(banner.setBorderStyle(2), Error);
    EXPECT_THROW(banner.setBorderStyle(-1), Error);
    EXPECT_THROW(banner.setFontSize(0.5f), Error);
    EXPECT_THROW(banner.setFontSize(-1), Error);
    EXPECT_THROW(banner.setFontSize(std::numeric_limits<float>::quiet_NaN()), Error);
    EXPECT_EQ(spy.count(), 0) << "a rejected value is not reported as changed";
    EXPECT_EQ(banner.BorderStyle(), 0);
    EXPECT_EQ(banner.FontSize(), 16.0f);
    try {
        banner.setFontSize(0);
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("FontSize"))) << e.what();
    }
}

TEST(BannerSetters, PropertiesAreReachableByName)
{
    csLogo banner;
    const QMetaObject *meta = banner.metaObject();
    for (const QString &member : csLogo::publicMembers()) {
        if (member == QLatin1String("Refresh") || member == QLatin1String("Draw"))
            continue;
        const int index = meta->indexOfProperty(member.toLatin1().constData());
        ASSERT_GE(index, 0) << member.toStdString();
        EXPECT_TRUE(meta->property(index).isWritable()) << member.toStdString();
    }
    EXPECT_TRUE(banner.setProperty("Caption", QStringLiteral("Orvalin")));
    EXPECT_EQ(banner.Caption(), QStringLiteral("Orvalin"));
}

TEST(BannerHelp, MembersPublishTheirDescriptionsInOrder)
{
    EXPECT_EQ(csLogo::publicMembers(),
              (QStringList{"ForeColor", "BorderStyle", "Refresh", "Caption", "StartColor",
                           "EndColor", "Draw", "FontName", "FontSize", "FontBold", "FontItalic",
                           "FontUnderline", "FontAutoSize"}));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("Caption")),
              QStringLiteral("Text to be shown in the csLogo Box"));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("StartColor")),
              QStringLiteral("The startcolor of the Gradient"));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("EndColor")),
              QStringLiteral("The Endcolor of the Gradient"));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("FontAutoSize")),
              QStringLiteral("Adjust the Fontsize to the Controls width"));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("Refresh")),
              QStringLiteral("Erzwingt ein vollständiges Neuzeichnen eines Objekts."));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("FontSize")),
              QStringLiteral("Gibt die Größe der Schriftart (in Punkten) an, die in jeder Zeile "
                             "für die gegebene Ebene verwendet wird."));
    EXPECT_EQ(csLogo::helpString(QStringLiteral("ForeColor")),
              QStringLiteral("Gibt die Vordergrundfarbe zurück, die zum Anzeigen von Text und "
                             "Grafiken in einem Objekt verwendet wird, oder legt diese fest."));
    EXPECT_TRUE(csLogo::helpString(QStringLiteral("Draw")).isEmpty());
    EXPECT_TRUE(csLogo::helpString(QStringLiteral("caption")).isEmpty()) << "exact names";
}
