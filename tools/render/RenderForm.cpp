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
    "  orvalin-render form Form1|Creditos -o OUT.png [--scan]\n"
    "      --scan   Form1 tras pulsar \"Buscar\" en la cuenta de demostración\n";

int renderForm(const QStringList &args)
{
    QString window;
    QString output;
    bool scan = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("-o")) {
            if (++i >= args.size())
                return RenderOptions::reportError(QStringLiteral("a «-o» le falta el archivo"));
            output = args.at(i);
        } else if (arg == QLatin1String("--scan")) {
            scan = true;
        } else if (!arg.startsWith(QLatin1Char('-')) && window.isEmpty()) {
            window = arg;
        } else {
            return RenderOptions::reportError(
                QStringLiteral("opción desconocida: «%1»").arg(arg.left(60)));
        }
    }
    if (window != QLatin1String("Form1") && window != QLatin1String("Creditos"))
        return RenderOptions::reportError(
            QStringLiteral("falta la ventana o no existe: «%1» (se espera Form1 o Creditos)")
                .arg(window.left(60)));
    if (output.isEmpty())
        return RenderOptions::reportError(QStringLiteral("falta «-o ARCHIVO.png»"));
    if (scan && window != QLatin1String("Form1"))
        return RenderOptions::reportError(QStringLiteral("«--scan» solo vale para Form1"));

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
