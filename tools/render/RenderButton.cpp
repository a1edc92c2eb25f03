#include "tools/render/RenderButton.h"

#include "controls/button/Button.h"
#include "tools/render/RenderOptions.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QResizeEvent>

const char *const renderButtonUsage =
    "uso: orvalin-render button -o SALIDA.png [--size ANCHOxALTO] [--type N] [--scheme N]\n"
    "       [--back COLOR] [--fore COLOR] [--caption TEXTO] [--font NOMBRE] [--font-size PT]\n"
    "       [--bold] [--state up|down] [--disabled] [--focus] [--no-focus-rect] [--default]\n";

ButtonRenderOptions parseButtonOptions(const QStringList &args)
{
    using namespace RenderOptions;
    ButtonRenderOptions options;
    OptionCursor cursor(args);
    while (!cursor.atEnd()) {
        const QString option = cursor.next();
        if (option == QLatin1String("-o")) {
            options.output = cursor.outputFile(option);
        } else if (option == QLatin1String("--size")) {
            options.size = parseSize(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--type")) {
            options.buttonType = parseInt32(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--scheme")) {
            options.colorScheme = parseInt32(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--back")) {
            options.backColor = parseColor(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--fore")) {
            options.foreColor = parseColor(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--caption")) {
            options.caption = cursor.valueOf(option);
        } else if (option == QLatin1String("--font")) {
            options.fontName = parseFontName(cursor.valueOf(option), option);
        } else if (option == QLatin1String("--font-size")) {
            options.fontSize = parsePositive(cursor.valueOf(option), option, 500.0f);
        } else if (option == QLatin1String("--bold")) {
            options.bold = true;
        } else if (option == QLatin1String("--state")) {
            const QString state = cursor.valueOf(option);
            if (state == QLatin1String("up"))
                options.pressed = false;
            else if (state == QLatin1String("down"))
                options.pressed = true;
            else
                throw OptionError(
                    QStringLiteral("valor no válido para --state: «%1» (se espera up o down)")
                        .arg(state.left(60)));
        } else if (option == QLatin1String("--disabled")) {
            options.disabled = true;
        } else if (option == QLatin1String("--focus")) {
            options.focus = true;
        } else if (option == QLatin1String("--no-focus-rect")) {
            options.noFocusRect = true;
        } else if (option == QLatin1String("--default")) {
            options.isDefault = true;
        } else if (option == QLatin1String("-h") || option == QLatin1String("--help")) {
            options.help = true;
        } else if (option.startsWith(QLatin1Char('-'))) {
            throw OptionError(
                QStringLiteral("opción desconocida para «button»: «%1»").arg(option.left(60)));
        } else {
            throw OptionError(QStringLiteral("argumento inesperado: «%1»").arg(option.left(60)));
        }
    }
    if (options.output.isEmpty() && !options.help)
        throw OptionError(QStringLiteral("falta la opción -o SALIDA.png"));
    return options;
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
        button.setButtonEnabled(VbFalse);
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
    return RenderOptions::renderToFile<ButtonRenderOptions>(args, parseButtonOptions,
                                                            renderButtonImage, renderButtonUsage);
}
