#include "tools/render/RenderButton.h"

#include "controls/button/Button.h"
#include "tools/render/RenderOptions.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QResizeEvent>

const char *const renderButtonUsage =
    "Uso: orvalin-render button -o SALIDA.png [--size ANCHOxALTO] [--type N] [--scheme N]\n"
    "       [--back COLOR] [--fore COLOR] [--caption TEXTO] [--font NOMBRE] [--font-size PT]\n"
    "       [--bold] [--state up|down] [--disabled] [--focus] [--no-focus-rect] [--default]\n";

namespace {

QList<QCommandLineOption> buttonOptions()
{
    return {
        RenderOptions::valuedOption("o", "El archivo PNG que se escribe.", "SALIDA.png"),
        RenderOptions::valuedOption("size", "El tamaño en píxeles (por omisión 75x23).",
                                    "ANCHOxALTO"),
        RenderOptions::valuedOption("type", "El tipo de botón (ButtonType, por omisión 2).", "N"),
        RenderOptions::valuedOption("scheme",
                                    "La combinación de colores (ColorScheme, por omisión 1).", "N"),
        RenderOptions::valuedOption("back", "El color de fondo, 0x00BBGGRR.", "COLOR"),
        RenderOptions::valuedOption("fore", "El color del texto, 0x00BBGGRR.", "COLOR"),
        RenderOptions::valuedOption("caption", "El texto del botón.", "TEXTO"),
        RenderOptions::valuedOption("font", "El nombre de la fuente.", "NOMBRE"),
        RenderOptions::valuedOption("font-size", "El tamaño de la fuente en puntos.", "PT"),
        RenderOptions::flagOption("bold", "Fuente en negrita."),
        RenderOptions::valuedOption("state", "up (suelto, por omisión) o down (pulsado).",
                                    "ESTADO"),
        RenderOptions::flagOption("disabled", "Botón desactivado."),
        RenderOptions::flagOption("focus", "Botón con el foco."),
        RenderOptions::flagOption("no-focus-rect", "Sin el rectángulo del foco."),
        RenderOptions::flagOption("default", "Botón por omisión de la ventana.")};
}

bool parseState(const QString &state, const QString &)
{
    if (state == QLatin1String("up"))
        return false;
    if (state == QLatin1String("down"))
        return true;
    throw OptionError(QStringLiteral("valor no válido para --state: «%1» (se espera up o down)")
                          .arg(state.left(60)));
}

QString anyText(const QString &text, const QString &)
{
    return text;
}

} // namespace

ButtonRenderOptions parseButtonOptions(const QStringList &args)
{
    using namespace RenderOptions;
    const CommandLine line = readOptions(args, buttonOptions(), QStringLiteral("button"));
    ButtonRenderOptions options;
    options.size = lastValue(line, QStringLiteral("size"), parseSize).value_or(options.size);
    options.buttonType =
        lastValue(line, QStringLiteral("type"), parseInt32).value_or(options.buttonType);
    options.colorScheme =
        lastValue(line, QStringLiteral("scheme"), parseInt32).value_or(options.colorScheme);
    options.backColor = lastValue(line, QStringLiteral("back"), parseColor);
    options.foreColor = lastValue(line, QStringLiteral("fore"), parseColor);
    options.caption = lastValue(line, QStringLiteral("caption"), anyText).value_or(QString());
    options.fontName = lastValue(line, QStringLiteral("font"), parseFontName);
    options.fontSize = lastValue(line, QStringLiteral("font-size"),
                                 [](const QString &text, const QString &option) {
                                     return parsePositive(text, option, 500.0f);
                                 });
    options.pressed = lastValue(line, QStringLiteral("state"), parseState).value_or(false);
    options.bold = line.isSet(QStringLiteral("bold"));
    options.disabled = line.isSet(QStringLiteral("disabled"));
    options.focus = line.isSet(QStringLiteral("focus"));
    options.noFocusRect = line.isSet(QStringLiteral("no-focus-rect"));
    options.isDefault = line.isSet(QStringLiteral("default"));
    options.help = line.helpRequested();
    options.version = line.versionRequested();
    options.output = outputFile(line);
    return options;
}

QString buttonOptionsHelp()
{
    return RenderOptions::optionsHelp(buttonOptions());
}

QImage renderButtonImage(const ButtonRenderOptions &options)
{
    Button button;
    button.InitProperties();
    button.setButtonType(options.buttonType);
    button.setColorScheme(options.colorScheme);
    if (options.backColor)
        button.setBackColor(*options.backColor);
    if (options.foreColor)
        button.setForeColor(*options.foreColor);
    button.setCaption(options.caption);
    if (options.fontName || options.fontSize || options.bold) {
        StdFont font = button.buttonFont();
        if (options.fontName)
            font.setName(*options.fontName);
        if (options.fontSize)
            font.setSize(*options.fontSize);
        if (options.bold)
            font.setBold(true);
        button.setButtonFont(font);
    }
    if (options.disabled)
        button.setAvailable(false);
    if (options.noFocusRect)
        button.setShowFocusRect(VbFalse);
    if (options.isDefault)
        button.setDisplayAsDefault(true);

    // The host's first Resize: the window is never shown, so the notification is sent here.
    const QSize oldSize = button.size();
    button.resize(options.size);
    QResizeEvent resize(options.size, oldSize);
    QCoreApplication::sendEvent(&button, &resize);
    button.setAttribute(Qt::WA_PendingResizeEvent, false);

    if (options.focus) {
        QFocusEvent focusIn(QEvent::FocusIn, Qt::OtherFocusReason);
        QCoreApplication::sendEvent(&button, &focusIn);
    }
    if (options.pressed)
        button.HandleMouseDown(1, 0, 1.0f, 1.0f);
    return button.renderedImage();
}

int renderButton(const QStringList &args)
{
    const QByteArray usage = (QString::fromUtf8(renderButtonUsage) + buttonOptionsHelp()).toUtf8();
    return RenderOptions::renderToFile<ButtonRenderOptions>(args, parseButtonOptions,
                                                            renderButtonImage, usage.constData());
}
