#include "ButtonTestSupport.h"

#include "controls/button/ButtonStyles.h"
#include "platform/SystemColors.h"
#include "platform/WindowDescription.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// Read when a test runs: the application's palette is only settled by then.
ColorRef sysFace()
{
    return SystemColors::sysColor(SystemColors::BtnFace);
}
ColorRef sysText()
{
    return SystemColors::sysColor(SystemColors::BtnText);
}

TEST(ButtonProperties, CreationAndFreshInstanceValues)
{
    Button button;
    EXPECT_EQ(button.buttonType(), 0);
    EXPECT_EQ(button.colorScheme(), 0);
    EXPECT_EQ(button.buttonEnabled(), VbFalse);
    EXPECT_EQ(button.showFocusRect(), VbFalse);
    EXPECT_EQ(button.lastMouseButton(), 1);
    EXPECT_EQ(button.pressedTextRect(), (WinRect{2, 2, 0, 0}));
    EXPECT_EQ(button.buttonPalette(), paletteForScheme(1, 0, 0));
    EXPECT_EQ(button.focusPolicy(), Qt::StrongFocus);

    button.InitProperties();
    EXPECT_EQ(button.buttonType(), 2);
    EXPECT_EQ(button.colorScheme(), 1);
    EXPECT_EQ(button.buttonEnabled(), VbTrue);
    EXPECT_EQ(button.showFocusRect(), VbTrue);
    EXPECT_EQ(button.backColor(), sysFace());
    EXPECT_EQ(button.foreColor(), sysText());
    EXPECT_EQ(button.buttonFont(), button.surface().font());
    EXPECT_TRUE(button.caption().isEmpty());
    EXPECT_EQ(button.redrawCount(), 0);

    // The names the window and the designer use.
    EXPECT_TRUE(button.setProperty("Caption", QStringLiteral("&Buscar")));
    EXPECT_EQ(button.property("Caption").toString(), QStringLiteral("&Buscar"));
    EXPECT_EQ(button.property("hwnd").value<quintptr>(), button.hWnd());
}

struct Setter
{
    const char *key;
    std::function<void(Button &)> set;
    bool keepsState; // redraws in LastState rather than StateUp
};

const std::vector<Setter> setters = {
    {"BCOL", [](Button &b) { b.setBackColor(0x00336699); }, true},
    {"FCOL", [](Button &b) { b.setForeColor(0x00FFFFFF); }, true},
    {"BTYPE", [](Button &b) { b.setButtonType(4); }, false},
    {"TX", [](Button &b) { b.setCaption(QStringLiteral("&Eliminar")); }, false},
    {"ENAB", [](Button &b) { b.setButtonEnabled(VbTrue); }, false},
    {"FONT", [](Button &b) { b.setButtonFont(StdFont(QStringLiteral("Arial"), 10)); }, false},
    {"COLTYPE", [](Button &b) { b.setColorScheme(3); }, false},
    {"FOCUSR", [](Button &b) { b.setShowFocusRect(VbFalse); }, true},
};

TEST(ButtonProperties, EverySetterRedrawsThenSignalsItsKeyEvenWhenUnchanged)
{
    for (const Setter &setter : setters) {
        SCOPED_TRACE(setter.key);
        Button button;
        placeButton(button);
        struct Seen
        {
            QString key;
            int redraws;
        };
        std::vector<Seen> seen;
        QObject::connect(&button, &UserControl::propertyChanged, [&](const QString &key) {
            seen.push_back({key, button.redrawCount()});
        });
        for (int round = 0; round < 2; ++round) {
            button.HandleMouseDown(1, 0, 5, 5); // LastState 2
            const int before = button.redrawCount();
            setter.set(button);
            ASSERT_EQ(seen.size(), size_t(round + 1));
            EXPECT_EQ(seen.back().key, QLatin1String(setter.key));
            EXPECT_EQ(seen.back().redraws, before + 1); // drawn before the signal
            EXPECT_EQ(button.lastState(), setter.keepsState ? Button::StateDown : Button::StateUp);
        }
    }
}

TEST(ButtonProperties, SettersBeforeTheFirstResizeSignalButDrawNothing)
{
    Button button;
    button.InitProperties();
    int signalCount = 0;
    QObject::connect(&button, &UserControl::propertyChanged, [&] { ++signalCount; });
    for (const Setter &setter : setters)
        setter.set(button);
    EXPECT_EQ(signalCount, int(setters.size()));
    EXPECT_EQ(button.redrawCount(), 0);
    EXPECT_EQ(button.accessKeys(), QStringLiteral("e"));
}

TEST(ButtonProperties, EnabledSetterDrawsBeforeTheWindowFollows)
{
    RecordingButton button;
    placeButton(button);
    bool enabledAtSignal = true;
    QObject::connect(&button, &UserControl::propertyChanged,
                     [&] { enabledAtSignal = button.isEnabled(); });
    button.calls.clear();
    button.setButtonEnabled(VbFalse);
    ASSERT_EQ(button.calls.size(), 1u);
    EXPECT_TRUE(button.calls[0].windowEnabled);
    EXPECT_EQ(button.calls[0].look, ButtonLook::Disabled);
    EXPECT_FALSE(enabledAtSignal);
    // Any non-zero value enables the window, but only exactly True draws the enabled look.
    button.calls.clear();
    button.setButtonEnabled(1);
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.calls.at(0).look, ButtonLook::Disabled);
}

TEST(ButtonProperties, BoldFontStaysBoldThroughNonBoldStyles)
{
    Button button;
    placeButton(button);
    button.setButtonFont(StdFont(QStringLiteral("Tahoma"), 8.25f, true));
    button.setButtonType(Etched); // draws its caption without bold
    EXPECT_TRUE(button.buttonFont().bold());
    EXPECT_TRUE(button.surface().fontBold());
}

TEST(ButtonPersistence, FreshInstanceSavesAllEightKeys)
{
    Button button;
    button.InitProperties();
    PropertyBag bag;
    button.WriteProperties(bag);
    EXPECT_EQ(bag.keys(),
              (QStringList{"bcol", "btype", "coltype", "enab", "fcol", "focusr", "font", "tx"}));
    EXPECT_EQ(bag.readProperty("BTYPE").toInt(), 2);
    EXPECT_EQ(bag.readProperty("TX").toString(), QString());
    EXPECT_EQ(bag.readProperty("ENAB"), QVariant(true));
    EXPECT_EQ(bag.readFont("FONT", StdFont()), button.surface().font());
    EXPECT_EQ(bag.readProperty("COLTYPE").toInt(), 1);
    EXPECT_EQ(bag.readProperty("FOCUSR"), QVariant(true));
    EXPECT_EQ(ColorRef(bag.readInt32("BCOL", 0)), sysFace());
    EXPECT_EQ(ColorRef(bag.readInt32("FCOL", 0)), sysText());
}

TEST(ButtonPersistence, RoundTripThroughAStoredWindowDescription)
{
    Button saved;
    placeButton(saved);
    saved.setButtonType(Etched);
    saved.setCaption(QStringLiteral("A&&B&C"));
    saved.setButtonEnabled(VbFalse);
    StdFont font(QStringLiteral("Arial"), 14.25f, true);
    font.setItalic(true);
    saved.setButtonFont(font);
    saved.setColorScheme(2);
    saved.setShowFocusRect(VbFalse);
    saved.setBackColor(0x80000012); // a system colour, stored untranslated
    saved.setForeColor(0x00FF8000);

    PropertyBag bag;
    saved.WriteProperties(bag);
    WindowDescription description(QStringLiteral("Form1"));
    description.setControl(QStringLiteral("Command1"), bag);
    const WindowDescription reloaded =
        WindowDescription::fromJson(description.toJson(), QStringLiteral("prueba"));

    Button loaded;
    sizeButton(loaded, 75, 23);
    const int redraws = loaded.redrawCount();
    loaded.ReadProperties(reloaded.control(QStringLiteral("Command1")));
    for (const char *name : {"BackColor", "ForeColor", "ButtonType", "Caption", "Enabled",
                             "ColorScheme", "ShowFocusRect"})
        EXPECT_EQ(loaded.property(name), saved.property(name)) << name;
    EXPECT_EQ(loaded.buttonFont(), font);
    EXPECT_EQ(loaded.surface().font(), font);
    EXPECT_EQ(loaded.buttonPalette(), saved.buttonPalette());
    EXPECT_EQ(loaded.accessKeys(), QStringLiteral("c"));
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(loaded.redrawCount(), redraws + 1);
}

TEST(ButtonPersistence, MissingKeysTakeTheDefaultsAndLoadingBeforeResizeDrawsNothing)
{
    PropertyBag bag;
    bag.writeProperty(QStringLiteral("tx"), QStringLiteral("&Salir"));
    Button button;
    button.setColorScheme(3); // replaced by the load
    button.ReadProperties(bag);
    EXPECT_EQ(button.buttonType(), 2);
    EXPECT_EQ(button.caption(), QStringLiteral("&Salir"));
    EXPECT_EQ(button.buttonEnabled(), VbTrue);
    EXPECT_EQ(button.colorScheme(), 1);
    EXPECT_EQ(button.showFocusRect(), VbTrue);
    EXPECT_EQ(button.backColor(), sysFace());
    EXPECT_EQ(button.foreColor(), sysText());
    EXPECT_EQ(button.buttonPalette(), paletteForScheme(1, 0, 0));
    EXPECT_EQ(button.accessKeys(), QStringLiteral("s"));
    EXPECT_EQ(button.redrawCount(), 0);

    // A colour written unsigned by hand loads as the same value.
    bag.writeProperty(QStringLiteral("BCOL"), qlonglong(0x80000012));
    button.ReadProperties(bag);
    EXPECT_EQ(button.backColor(), 0x80000012u);
}

TEST(ButtonPersistence, UnconvertibleValuesAreErrorsNamingTheKey)
{
    const std::vector<std::pair<QString, QVariant>> bad = {
        {"BTYPE", QStringLiteral("abc")},
        {"ENAB", QStringLiteral("quizá")},
        {"FONT", 12},
        {"COLTYPE", 1.0e12},
        {"FOCUSR", QVariant::fromValue(StdFont())},
        {"BCOL", QStringLiteral("rojo")},
        {"FCOL", 5.0e9},
    };
    for (const auto &[key, value] : bad) {
        SCOPED_TRACE(key.toStdString());
        PropertyBag bag;
        bag.writeProperty(QStringLiteral("TX"), QStringLiteral("Hola"));
        bag.writeProperty(key, value);
        Button button;
        try {
            button.ReadProperties(bag);
            ADD_FAILURE() << "no error";
        } catch (const PropertyError &error) {
            EXPECT_TRUE(error.message().contains(key, Qt::CaseInsensitive))
                << error.message().toStdString();
        }
        // The keys read before the bad one keep their new values.
        EXPECT_EQ(button.caption(), key == "BTYPE" ? QString() : QStringLiteral("Hola"));
    }
}

} // namespace
