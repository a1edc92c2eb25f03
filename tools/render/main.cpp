#include "tools/render/RenderBanner.h"
#include "tools/render/RenderButton.h"
#include "tools/render/RenderForm.h"
#include "tools/render/RenderOptions.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

// Draws one control or window into a PNG file, with no display needed.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a runtime folder Qt warns on the error output, which must hold only our message.
    QTemporaryDir runtimeDir;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtimeDir.isValid()) {
        QFile::setPermissions(runtimeDir.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtimeDir.path()));
    }
    QApplication app(argc, argv);
    // The system colours come from the style's palette; a fixed style gives the same picture
    // on every machine.
    QApplication::setStyle(QStringLiteral("Fusion"));

    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return RenderOptions::reportError(QStringLiteral(
            "falta la orden: button, banner o form (uso: orvalin-render ORDEN ...)"));
    const QString command = args.takeFirst();
    if (command == QLatin1String("button"))
        return renderButton(args);
    if (command == QLatin1String("banner"))
        return renderBanner(args);
    if (command == QLatin1String("form"))
        return renderForm(args);
    if (command == QLatin1String("-h") || command == QLatin1String("--help")) {
        std::fputs("uso: orvalin-render button|banner|form [OPCIONES]\n", stdout);
        std::fputs(renderButtonUsage, stdout);
        std::fputs(renderFormUsage, stdout);
        return 0;
    }
    return RenderOptions::reportError(
        QStringLiteral("orden desconocida: «%1» (se espera button, banner o form)")
            .arg(command.left(60)));
}
