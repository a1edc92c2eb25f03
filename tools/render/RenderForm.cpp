#include "tools/render/RenderForm.h"

#include "app/Creditos.h"
#include "app/Form1.h"
#include "app/LinkOpener.h"
#include "app/MessageReporter.h"
#include "platform/messenger/DemoAccount.h"
#include "platform/messenger/MemoryMessengerClient.h"
#include "tools/render/RenderOptions.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QTextStream>

#include <cstdio>

namespace {

// Pictures never open links or block on a message box: a message is an error of the tool.
class SilentLinks : public LinkOpener
{
public:
    void open(const QUrl &) override {}
};

class FailingReporter : public MessageReporter
{
public:
    void error(const QString &, const QString &text) override { failure = text; }
    void warning(const QString &, const QString &text) override { failure = text; }
    QString failure;
};

QImage grabWindow(QWidget &window)
{
    window.setAttribute(Qt::WA_DontShowOnScreen);
    window.show();
    QApplication::processEvents();
    return window.grab().toImage();
}

} // namespace

const char *const renderFormUsage =
    "Uso: orvalin-render form Form1|Creditos -o SALIDA.png [--scan]\n";

namespace {

QList<QCommandLineOption> formOptions()
{
    return {RenderOptions::valuedOption("o", "El archivo PNG que se escribe.", "SALIDA.png"),
            QCommandLineOption(QStringLiteral("scan"),
                               QStringLiteral("Form1 tras pulsar \"Buscar\" en la cuenta de "
                                              "demostración."))};
}

struct FormRequest
{
    QString window;
    QString output;
    bool scan = false;
    bool help = false;
    bool version = false;
};

// The window and the file asked for; an empty text when they can be drawn, else the fault.
QString readFormRequest(const QStringList &args, FormRequest &request)
{
    CommandLine line = RenderOptions::lineWith(formOptions());
    if (!line.parse(args)) {
        const CommandLine::Fault fault = line.fault();
        if (fault.kind == CommandLine::Fault::Kind::MissingValue)
            return QStringLiteral("a «-o» le falta el archivo");
        return QStringLiteral("opción desconocida: «%1»").arg(fault.argument.left(60));
    }
    request.help = line.helpRequested();
    request.version = line.versionRequested();
    if (request.help || request.version)
        return QString();
    const QStringList words = line.positionalArguments();
    if (words.size() > 1)
        return QStringLiteral("opción desconocida: «%1»").arg(words.at(1).left(60));
    request.window = words.value(0);
    request.output = line.value(QStringLiteral("o"));
    request.scan = line.isSet(QStringLiteral("scan"));
    if (request.window != QLatin1String("Form1") && request.window != QLatin1String("Creditos"))
        return QStringLiteral("falta la ventana o no existe: «%1» (se espera Form1 o Creditos)")
            .arg(request.window.left(60));
    if (request.output.isEmpty())
        return QStringLiteral("falta «-o SALIDA.png»");
    if (request.scan && request.window != QLatin1String("Form1"))
        return QStringLiteral("«--scan» solo vale para Form1");
    return QString();
}

} // namespace

QString formOptionsHelp()
{
    return RenderOptions::optionsHelp(formOptions());
}

int renderForm(const QStringList &args)
{
    FormRequest request;
    if (const QString fault = readFormRequest(args, request); !fault.isEmpty())
        return RenderOptions::reportError(fault);
    if (request.help || request.version) {
        const QString text = request.help
                                 ? QString::fromUtf8(renderFormUsage) + formOptionsHelp()
                                 : CommandLine::versionLine(QStringLiteral("orvalin-render"));
        std::fputs(text.toUtf8().constData(), stdout);
        return 0;
    }
    const QString &window = request.window;
    const QString &output = request.output;
    const bool scan = request.scan;

    QImage picture;
    if (window == QLatin1String("Creditos")) {
        Creditos creditos;
        picture = grabWindow(creditos);
    } else {
        SilentLinks links;
        FailingReporter reporter;
        Form1 form([] { return std::make_unique<MemoryMessengerClient>(DemoAccount::account()); },
                   reporter, links);
        if (form.load() != Form1::LoadResult::Loaded)
            return RenderOptions::reportError(reporter.failure);
        if (scan)
            form.findChild<QAction *>(QStringLiteral("mnBuscarZ"))->trigger();
        picture = grabWindow(form);
    }
    if (!picture.save(output, "PNG"))
        return RenderOptions::reportError(QStringLiteral("no se puede escribir «%1»").arg(output));
    return 0;
}
