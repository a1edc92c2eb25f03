#include "ButtonTestSupport.h"
#include "tests/support/ButtonProbe.h"

#include "controls/button/ButtonStyles.h"
#include "platform/SystemColors.h"
#include "platform/WindowDescription.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

TEST(ButtonModel, FreshInstanceSavesAllEightKeysWithTheirDefaults)
{
    RecordingButton button;
    EXPECT_EQ(ButtonProbe::lastMouseButton(button), 1);
    EXPECT_EQ(ButtonProbe::pressedTextRect(button), (WinRect{2, 2, 0, 0}));
    button.InitProperties();
    PropertyBag saved, expected;
    button.WriteProperties(saved);
    for (const auto &[key, value] :
         {std::pair<const char *, QVariant>{"btype", 2},
          {"tx", QString()},
          {"enab", true},
          {"font", QVariant::fromValue(button.surface().font())},
          {"coltype", 1},
          {"focusr", true},
          {"bcol", qint32(SystemColors::sysColor(SystemColors::BtnFace))},
          {"fcol", qint32(SystemColors::sysColor(SystemColors::BtnText))}})
        expected.writeProperty(key, value);
    EXPECT_EQ(saved, expected);
    EXPECT_EQ(button.redrawCount(), 0); // first drawn by the resize
}

TEST(ButtonModel, SettersRedrawThenSignalTheirKeyEvenWhenUnchanged)
{
    const std::tuple<const char *, std::function<void(Button &)>, bool> setters[] = {
        // key, setter, whether it redraws in LastState rather than StateUp
        {"BCOL", [](Button &b) { b.setBackColor(0x00336699); }, true},
        {"FCOL", [](Button &b) { b.setForeColor(0x00FFFFFF); }, true},
        {"BTYPE", [](Button &b) { b.setButtonType(4); }, false},
        {"TX", [](Button &b) { b.setProperty("Caption", QStringLiteral("&Eliminar")); }, false},
        {"ENAB", [](Button &b) { b.setButtonEnabled(VbTrue); }, false},
        {"FONT", [](Button &b) { b.setButtonFont(StdFont(QStringLiteral("Arial"), 10)); }, false},
        {"COLTYPE", [](Button &b) { b.setColorScheme(3); }, false},
        {"FOCUSR", [](Button &b) { b.setShowFocusRect(VbFalse); }, true},
    };
    RecordingButton unsized; // before the first resize: signalled, nothing drawn
    QStringList unsizedKeys;
    QObject::connect(&unsized, &UserControl::propertyChanged,
                     [&](const QString &key) { unsizedKeys.append(key); });
    for (const auto &[key, set, keepsState] : setters) {
        RecordingButton button;
        placeButton(button);
        QStringList seen; // each key with the redraw count at its signal
        QObject::connect(&button, &UserControl::propertyChanged, [&](const QString &k) {
            seen.append(QStringLiteral("%1@%2").arg(k).arg(button.redrawCount()));
        });
        for (int round = 0; round < 2; ++round) {
            button.HandleMouseDown(1, 0, 5, 5); // LastState 2
            const int before = button.redrawCount();
            set(button);
            EXPECT_EQ(seen.value(round), QStringLiteral("%1@%2").arg(key).arg(before + 1));
            EXPECT_EQ(button.lastState(), keepsState ? 2 : 0) << key;
        }
        set(unsized);
        EXPECT_EQ(unsizedKeys.last(), QLatin1String(key));
    }
    EXPECT_EQ(unsized.redrawCount(), 0);
    EXPECT_EQ(unsized.accessKeys(), QStringLiteral("e"));
}

TEST(ButtonModel, EnabledDrawsBeforeTheWindowFollowsAndFontBoldStaysApart)
{
    RecordingButton button;
    placeButton(button);
    bool enabledAtSignal = true;
    QObject::connect(&button, &UserControl::propertyChanged,
                     [&] { enabledAtSignal = button.isEnabled(); });
    button.setButtonEnabled(VbFalse);
    EXPECT_TRUE(button.calls.back().windowEnabled);
    EXPECT_FALSE(enabledAtSignal);
    button.setButtonEnabled(1); // enables the window, but only True draws the enabled look
    EXPECT_TRUE(button.isEnabled());
    EXPECT_EQ(button.calls.back().look, ButtonLook::Disabled);

    button.setButtonFont(StdFont(QStringLiteral("Tahoma"), 8.25f, true));
    button.setButtonType(Etched); // draws its caption without bold
    EXPECT_TRUE(button.buttonFont().bold());
    EXPECT_TRUE(button.surface().fontBold());
}

TEST(ButtonModel, RoundTripThroughAStoredWindowDescription)
{
    Button saved;
    saved.InitProperties();
    StdFont font(QStringLiteral("Arial"), 14.25f, true);
    font.setItalic(true);
    const std::pair<const char *, QVariant> values[] = {
        {"ButtonType", Etched},     {"Caption", "A&&B&C"},
        {"Enabled", qint16(0)},     {"Font", QVariant::fromValue(font)},
        {"ColorScheme", 2},         {"ShowFocusRect", qint16(0)},
        {"BackColor", 0x80000012u}, {"ForeColor", 0x00FF8000u},
    };
    for (const auto &[name, value] : values)
        ASSERT_TRUE(saved.setProperty(name, value)) << name;
    PropertyBag bag;
    saved.WriteProperties(bag);
    WindowDescription description(QStringLiteral("Form1"));
    description.setControl(QStringLiteral("Command1"), bag);

    RecordingButton loaded;
    sizeButton(loaded, 75, 23);
    loaded.ReadProperties(WindowDescription::fromJson(description.toJson(), "prueba")
                              .control(QStringLiteral("Command1")));
    for (const auto &[name, value] : values)
        EXPECT_EQ(loaded.property(name), value) << name;
    EXPECT_EQ(loaded.surface().font(), font);
    EXPECT_EQ(ButtonProbe::palette(loaded), ButtonProbe::palette(saved));
    EXPECT_EQ(loaded.accessKeys(), QStringLiteral("c"));
    EXPECT_FALSE(loaded.isEnabled());
    EXPECT_EQ(loaded.redrawCount(), 2); // the resize, then the end of the load
}

TEST(ButtonModel, MissingKeysTakeDefaultsAndBadValuesNameTheirKey)
{
    PropertyBag bag;
    bag.writeProperty("tx", QStringLiteral("&Salir"));
    bag.writeProperty("BCOL", qlonglong(0x80000012)); // unsigned, as written by hand
    Button button;
    button.setColorScheme(3);
    button.ReadProperties(bag);
    EXPECT_EQ(button.buttonType(), 2);
    EXPECT_EQ(button.colorScheme(), 1);
    EXPECT_EQ(button.backColor(), 0x80000012u);
    EXPECT_EQ(button.foreColor(), SystemColors::sysColor(SystemColors::BtnText));
    EXPECT_EQ(button.accessKeys(), QStringLiteral("s"));

    const std::pair<QString, QVariant> bad[] = {
        {"BTYPE", "abc"}, {"ENAB", "quizá"},
        {"FONT", 12},     {"FOCUSR", QVariant::fromValue(StdFont())},
        {"BCOL", "rojo"}, {"FCOL", 5.0e9},
    };
    for (const auto &[key, value] : bad) {
        PropertyBag broken;
        broken.writeProperty("TX", QStringLiteral("Hola"));
        broken.writeProperty(key, value);
        Button target;
        try {
            target.ReadProperties(broken);
            ADD_FAILURE() << "no error for " << key.toStdString();
        } catch (const PropertyError &error) {
            EXPECT_TRUE(error.message().contains(key, Qt::CaseInsensitive));
        }
        // Keys read before the bad one keep their new values.
        EXPECT_EQ(target.caption(), key == "BTYPE" ? QString() : QStringLiteral("Hola"));
    }
}

TEST(ButtonModel, PaletteOfEachScheme)
{
    // BackColor, then the light, highlight, shadow and dark shadow derived from it.
    const ColorRef worked[][5] = {
        {rgb(192, 192, 192), rgb(223, 223, 223), rgb(239, 239, 239), rgb(128, 128, 128), 0},
        {rgb(255, 255, 255), rgb(255, 255, 255), rgb(255, 255, 255), rgb(191, 191, 191),
         rgb(63, 63, 63)},
        {0, rgb(31, 31, 31), rgb(47, 47, 47), 0, 0},
        {rgb(255, 128, 0), rgb(255, 159, 31), rgb(255, 175, 47), rgb(191, 64, 0), rgb(63, 0, 0)},
    };
    for (const auto &row : worked)
        EXPECT_EQ(paletteForScheme(2, row[0], 0x123456),
                  (ButtonPalette{row[0], row[1], row[2], row[3], row[4], 0x123456}));
    // A system colour is shifted as its raw signed value: green and blue fall to 0.
    EXPECT_EQ(ShiftColor(0x80000012, 31), rgb(0x12 + 31, 0, 0));

    Button button;
    button.InitProperties();
    const ButtonPalette system = ButtonProbe::palette(button);
    button.setBackColor(rgb(192, 192, 192));
    for (qint32 scheme : {0, 4, -1, 3, 2, 1}) {
        button.setColorScheme(scheme);
        const ButtonPalette expected =
            scheme == 3 ? ButtonPalette{0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0, 0}
            : scheme == 2
                ? ButtonPalette{0xC0C0C0, 0xDFDFDF, 0xEFEFEF, 0x808080, 0, button.foreColor()}
                : system;
        EXPECT_EQ(ButtonProbe::palette(button), expected) << scheme;
    }

    // The grey scheme is fixed: neither colour of the button reaches it.
    button.setColorScheme(3);
    button.setBackColor(rgb(255, 128, 0));
    button.setForeColor(rgb(0, 0, 255));
    EXPECT_EQ(ButtonProbe::palette(button),
              (ButtonPalette{0xC0C0C0, 0xDFDFDF, 0xFFFFFF, 0x808080, 0, 0}));
}

} // namespace
