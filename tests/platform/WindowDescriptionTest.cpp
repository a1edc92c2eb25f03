#include "platform/WindowDescription.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(WindowDescription, SavesAndLoadsEveryControlsBag)
{
    WindowDescription description(QStringLiteral("Form1"));
    PropertyBag button;
    button.writeProperty(QStringLiteral("BTYPE"), 5);
    button.writeProperty(QStringLiteral("TX"), QStringLiteral("Buscar"));
    button.writeProperty(QStringLiteral("FONT"),
                         QVariant::fromValue(StdFont(QStringLiteral("MS Sans Serif"), 8.25f)));
    button.writeProperty(QStringLiteral("_extentx"), 2355);
    PropertyBag banner;
    banner.writeProperty(QStringLiteral("Caption"), QStringLiteral("Orvalin Beta1"));
    description.setControl(QStringLiteral("Command1"), button);
    description.setControl(QStringLiteral("csLogo1"), banner);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Form1.json"));
    description.save(path);
    const WindowDescription back = WindowDescription::load(path);
    EXPECT_EQ(back.windowName(), QStringLiteral("Form1"));
    EXPECT_EQ(back.controlNames(),
              (QStringList{QStringLiteral("Command1"), QStringLiteral("csLogo1")}));
    EXPECT_EQ(back.control(QStringLiteral("Command1")), button);
    EXPECT_EQ(back.control(QStringLiteral("csLogo1")), banner);
    EXPECT_TRUE(back.control(QStringLiteral("Nope")).isEmpty());
}

TEST(WindowDescription, BadDataNamesTheSourceAndTheFault)
{
    const auto fault = [](const QByteArray &data) {
        try {
            WindowDescription::fromJson(data, QStringLiteral("Form1.json"));
        } catch (const PropertyError &e) {
            return e.message();
        }
        return QString();
    };
    const QString syntax = fault("{\"window\": \"Form1\",, }");
    EXPECT_TRUE(syntax.contains(QStringLiteral("Form1.json")));
    EXPECT_TRUE(syntax.contains(QStringLiteral("posición")));
    EXPECT_TRUE(fault("[]").contains(QStringLiteral("objeto")));
    EXPECT_TRUE(fault("{\"controls\": {}}").contains(QStringLiteral("window")));
    EXPECT_TRUE(fault("{\"window\": \"F\"}").contains(QStringLiteral("controls")));
    EXPECT_TRUE(fault("{\"window\": \"F\", \"controls\": {\"Command1\": 3}}")
                    .contains(QStringLiteral("Command1")));
    EXPECT_TRUE(fault("{\"window\": \"F\", \"controls\": {}}").isEmpty());
}

TEST(WindowDescription, UnreadableOrUnwritableFilesAreErrors)
{
    EXPECT_THROW(WindowDescription::load(QStringLiteral("/nonexistent/Form1.json")), PropertyError);
    EXPECT_THROW(
        WindowDescription(QStringLiteral("F")).save(QStringLiteral("/nonexistent/dir/F.json")),
        PropertyError);
}
