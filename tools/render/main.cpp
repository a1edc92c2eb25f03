#include "platform/base/CommandLine.h"
#include "tools/render/RenderBanner.h"
#include "tools/render/RenderButton.h"
#include "tools/render/RenderForm.h"
#include "tools/render/RenderOptions.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void printHelp()
{
    std::fputs("Uso: orvalin-render button|banner|form [OPCIONES]\n"
               "     orvalin-render --help | --version\n\n",
               stdout);
    std::fputs(renderButtonUsage, stdout);
    std::fputs(qPrintable(buttonOptionsHelp()), stdout);
    std::fputs("\n", stdout);
    std::fputs(renderBannerUsage, stdout);
    std::fputs(qPrintable(bannerOptionsHelp()), stdout);
    std::fputs("\n", stdout);
    std::fputs(renderFormUsage, stdout);
    std::fputs(qPrintable(formOptionsHelp()), stdout);
}

int render(const QString &command, const QStringList &args)
{
    if (command == QLatin1String("button"))
        return renderButton(args);
    if (command == QLatin1String("banner"))
        return renderBanner(args);
    if (command == QLatin1String("form"))
        return renderForm(args);
    return RenderOptions::reportError(
        QStringLiteral("orden desconocida: «%1» (se espera button, banner o form)")
            .arg(command.left(60)));
}

} // namespace

// Draws one control or window into a PNG file, with no display needed.
int main(int argc, char **argv)
{
    // The subcommand comes first; what follows it is its own. --help and --version are answered
    // before any toolkit is started.
    CommandLine line(CommandLine::Placement::BeforeCommand);
    line.parse(CommandLine::arguments(argc, argv));
    if (line.helpRequested()) {
        printHelp();
        return 0;
    }
    if (line.versionRequested()) {
        std::fputs(qPrintable(CommandLine::versionLine(QStringLiteral("orvalin-render"))), stdout);
        return 0;
    }

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

    // Read again without the toolkit's own options (-style, -platform...), as before.
    // An option before the subcommand is taken for an unknown subcommand, as it always was.
    if (!line.parse(QCoreApplication::arguments().mid(1)))
        return render(line.fault().argument, {});
    QStringList words = line.positionalArguments();
    if (words.isEmpty())
        return RenderOptions::reportError(QStringLiteral(
            "falta la orden: button, banner o form (uso: orvalin-render ORDEN ...)"));
    const QString command = words.takeFirst();
    return render(command, words);
}
