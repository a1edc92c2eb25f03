#include "platform/PropertyBag.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

TEST(PropertyBag, KeysMatchWithoutRegardToCaseAndAreKeptInLowerCase)
{
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("BTYPE"), 5);
    EXPECT_TRUE(bag.contains(QStringLiteral("btype")));
    EXPECT_EQ(bag.readProperty(QStringLiteral("BType"), 2).toInt(), 5);
    EXPECT_EQ(bag.keys(), QStringList{QStringLiteral("btype")});
    bag.writeProperty(QStringLiteral("btype"), 7);
    EXPECT_EQ(bag.count(), 1);
    EXPECT_EQ(bag.readInt32(QStringLiteral("BTYPE"), 2), 7);
}

TEST(PropertyBag, MissingKeyGivesTheDefault)
{
    const PropertyBag bag;
    EXPECT_EQ(bag.readInt32(QStringLiteral("BTYPE"), 2), 2);
    EXPECT_EQ(bag.readString(QStringLiteral("TX"), QStringLiteral("x")), QStringLiteral("x"));
    EXPECT_TRUE(bag.readBool(QStringLiteral("ENAB"), true));
    const StdFont font(QStringLiteral("Arial"), 10.0f, true);
    EXPECT_EQ(bag.readFont(QStringLiteral("FONT"), font), font);
}

TEST(PropertyBag, NothingIsStoredWhenTheValueEqualsTheGivenDefault)
{
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("FontSize"), 10.0f, 10);
    bag.writeProperty(QStringLiteral("FontBold"), true, true);
    bag.writeProperty(QStringLiteral("Caption"), QStringLiteral("csLogo"),
                      QStringLiteral("csLogo"));
    EXPECT_TRUE(bag.isEmpty());
    bag.writeProperty(QStringLiteral("FontSize"), 14.25f, 10);
    EXPECT_FLOAT_EQ(bag.readFloat(QStringLiteral("FontSize"), 10), 14.25f);
    // Writing the default again drops the stored value.
    bag.writeProperty(QStringLiteral("FontSize"), 10, 10);
    EXPECT_FALSE(bag.contains(QStringLiteral("FontSize")));
    // Without a default the value is always stored.
    bag.writeProperty(QStringLiteral("TX"), QString());
    EXPECT_TRUE(bag.contains(QStringLiteral("TX")));
}

TEST(PropertyBag, ConversionsFollowTheStoredValue)
{
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("a"), 2.5);
    bag.writeProperty(QStringLiteral("b"), 3.5);
    bag.writeProperty(QStringLiteral("c"), QStringLiteral(" 12 "));
    bag.writeProperty(QStringLiteral("d"), true);
    bag.writeProperty(QStringLiteral("e"), QStringLiteral("False"));
    bag.writeProperty(QStringLiteral("f"), 0);
    EXPECT_EQ(bag.readInt32(QStringLiteral("a"), 0), 2) << "halves go to the even neighbour";
    EXPECT_EQ(bag.readInt32(QStringLiteral("b"), 0), 4);
    EXPECT_EQ(bag.readInt32(QStringLiteral("c"), 0), 12);
    EXPECT_EQ(bag.readInt32(QStringLiteral("d"), 0), -1) << "True is -1";
    EXPECT_FALSE(bag.readBool(QStringLiteral("e"), true));
    EXPECT_FALSE(bag.readBool(QStringLiteral("f"), true));
    EXPECT_EQ(bag.readString(QStringLiteral("d"), {}), QStringLiteral("True"));
}

TEST(PropertyBag, ValuesThatCannotBeConvertedAreErrorsNamingTheKey)
{
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("BTYPE"), QStringLiteral("abc"));
    bag.writeProperty(QStringLiteral("FONT"), 12);
    bag.writeProperty(QStringLiteral("BorderStyle"), 40000);
    bag.writeProperty(QStringLiteral("TX"), QVariant::fromValue(StdFont()));
    bag.writeProperty(QStringLiteral("big"), 1e300);
    auto messageOf = [](auto &&read) {
        try {
            read();
        } catch (const PropertyError &e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_TRUE(messageOf([&] {
                    bag.readInt32(QStringLiteral("BTYPE"), 2);
                }).contains(QStringLiteral("BTYPE")));
    EXPECT_TRUE(messageOf([&] {
                    bag.readFont(QStringLiteral("FONT"), StdFont());
                }).contains(QStringLiteral("FONT")));
    EXPECT_TRUE(messageOf([&] {
                    bag.readInt16(QStringLiteral("BorderStyle"), 0);
                }).contains(QStringLiteral("rango")));
    EXPECT_FALSE(messageOf([&] { bag.readString(QStringLiteral("TX"), {}); }).isEmpty());
    EXPECT_FALSE(messageOf([&] { bag.readFloat(QStringLiteral("big"), 0); }).isEmpty());
    EXPECT_FALSE(messageOf([&] { bag.readBool(QStringLiteral("BTYPE"), true); }).isEmpty());
}

TEST(PropertyBag, JsonRoundTripKeepsEveryValueType)
{
    PropertyBag bag;
    StdFont font(QStringLiteral("MS Sans Serif"), 8.25f);
    font.setItalic(true);
    font.setStrikethrough(true);
    bag.writeProperty(QStringLiteral("BTYPE"), 5);
    bag.writeProperty(QStringLiteral("TX"), QStringLiteral("&Buscar «ñ»"));
    bag.writeProperty(QStringLiteral("ENAB"), false);
    bag.writeProperty(QStringLiteral("FONT"), QVariant::fromValue(font));
    bag.writeProperty(QStringLiteral("FontSize"), 14.25f);
    bag.writeProperty(QStringLiteral("BCOL"), qint64(0x80000012u));

    const QByteArray json = QJsonDocument(bag.toJson()).toJson();
    const PropertyBag back =
        PropertyBag::fromJson(QJsonDocument::fromJson(json).object(), QStringLiteral("t"));
    EXPECT_EQ(back, bag);
    EXPECT_EQ(back.readInt32(QStringLiteral("btype"), 0), 5);
    EXPECT_EQ(back.readString(QStringLiteral("tx"), {}), QStringLiteral("&Buscar «ñ»"));
    EXPECT_FALSE(back.readBool(QStringLiteral("enab"), true));
    EXPECT_EQ(back.readFont(QStringLiteral("font"), StdFont()), font);
    EXPECT_FLOAT_EQ(back.readFloat(QStringLiteral("fontsize"), 0), 14.25f);
    EXPECT_EQ(quint32(back.readProperty(QStringLiteral("bcol")).toLongLong()), 0x80000012u);
}

TEST(PropertyBag, MalformedJsonValuesAreRejectedWithTheirPlace)
{
    const auto load = [](const char *text) {
        try {
            PropertyBag::fromJson(QJsonDocument::fromJson(text).object(),
                                  QStringLiteral("Form1.json, control «Command1»"));
        } catch (const PropertyError &e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_TRUE(load(R"({"btype": [1, 2]})").contains(QStringLiteral("btype")));
    EXPECT_TRUE(load(R"({"font": {"name": "Arial"}})").contains(QStringLiteral("Command1")));
    EXPECT_FALSE(load(R"({"font": {"font": {"name": 3, "size": 8}}})").isEmpty());
    EXPECT_FALSE(load(R"({"font": {"font": {"name": "A", "size": 8, "bold": "yes"}}})").isEmpty());
    EXPECT_FALSE(load(R"({"tx": null})").isEmpty());
    // Read as infinity, such a size could never be saved again.
    EXPECT_TRUE(load(R"({"font": {"font": {"name": "A", "size": 1e300}}})")
                    .contains(QStringLiteral("fuera de rango")));
    EXPECT_TRUE(load(R"({"tx": "ok", "btype": 3})").isEmpty());
}
