#include "app/StoredWindows.h"
#include "app/Creditos.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"

#include <QGroupBox>
#include <QLabel>
#include <gtest/gtest.h>

namespace {

// What a control saves must be exactly what the stored description holds for it: loading and
// saving again loses nothing, and the description holds nothing that no control reads.
template <typename Control> void expectSavesWhatItLoaded(const PropertyBag &stored)
{
    Control control;
    control.ReadProperties(stored);
    PropertyBag saved;
    control.WriteProperties(saved);
    EXPECT_EQ(saved, stored) << QStringList(saved.keys()).join(QLatin1Char(',')).toStdString();
}

} // namespace

TEST(StoredWindows, HoldEveryControlInstance)
{
    const WindowDescription form1 = StoredWindows::form1();
    EXPECT_EQ(form1.windowName(), QStringLiteral("Form1"));
    EXPECT_EQ(form1.controlNames(),
              (QStringList{QStringLiteral("Command1"), QStringLiteral("Command2"),
                           QStringLiteral("csLogo1")}));
    const WindowDescription creditos = StoredWindows::creditos();
    EXPECT_EQ(creditos.controlNames(),
              (QStringList{QStringLiteral("Button1"), QStringLiteral("csLogo1")}));
}

TEST(StoredWindows, EachControlSavesExactlyWhatItWasLoadedFrom)
{
    const WindowDescription form1 = StoredWindows::form1();
    const WindowDescription creditos = StoredWindows::creditos();
    expectSavesWhatItLoaded<Button>(form1.control(QStringLiteral("Command1")));
    expectSavesWhatItLoaded<Button>(form1.control(QStringLiteral("Command2")));
    expectSavesWhatItLoaded<Button>(creditos.control(QStringLiteral("Button1")));
    expectSavesWhatItLoaded<csLogo>(form1.control(QStringLiteral("csLogo1")));
    expectSavesWhatItLoaded<csLogo>(creditos.control(QStringLiteral("csLogo1")));
}

TEST(Creditos, ShowsTheProgramTheAuthorAndTheDescription)
{
    Creditos creditos;
    EXPECT_EQ(creditos.windowTitle(), QStringLiteral("Acerca de ..."));
    EXPECT_EQ(creditos.size(), QSize(287, 298));
    EXPECT_FALSE(creditos.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(creditos.windowFlags() & Qt::WindowMinimizeButtonHint);
    const auto text = [&](const char *name) {
        const QLabel *label = creditos.findChild<QLabel *>(QLatin1String(name));
        return label ? label->text() : QString();
    };
    EXPECT_EQ(text("Label5"), QStringLiteral("Orvalin Beta 1"));
    EXPECT_EQ(text("Label3"), QStringLiteral("http://orvalin.example.org:8080"));
    EXPECT_EQ(text("Label4"), QStringLiteral("autor@orvalin.example.org"));
    EXPECT_TRUE(
        text("Label2").startsWith(QStringLiteral("Es un programa Detective, que averigua")));
    EXPECT_TRUE(text("Label2").endsWith(QStringLiteral("solo los que te eliminaron.")));
    EXPECT_EQ(creditos.findChild<QGroupBox *>(QStringLiteral("Frame1"))->title(),
              QStringLiteral("Autor"));
    EXPECT_EQ(creditos.findChild<QGroupBox *>(QStringLiteral("Frame2"))->title(),
              QStringLiteral("Sobre Orvalin"));
    EXPECT_EQ(creditos.button1()->caption(), QStringLiteral("Cerrar"));
    EXPECT_EQ(creditos.button1()->buttonType(), 5);
    EXPECT_EQ(creditos.csLogo1()->caption(), QStringLiteral("Orvalin"));
    EXPECT_FALSE(creditos.windowIcon().isNull());
    EXPECT_TRUE(creditos.windowIcon().availableSizes().contains(QSize(16, 16)));
    EXPECT_TRUE(creditos.windowIcon().availableSizes().contains(QSize(32, 32)));
}
