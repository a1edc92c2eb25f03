#include "tools/audit/AuditCommandLine.h"

#include "platform/base/AuditTexts.h"
#include "platform/base/CommandLine.h"
#include "platform/base/IsoMoment.h"
#include "tools/audit/AuditTool.h"

namespace {

using Command = AuditOptions::Command;

const QString FormatName = QStringLiteral("format");
const QString AccountName = QStringLiteral("account");
const QString SinceName = QStringLiteral("since");
const QString NotifyName = QStringLiteral("notify");
const QString ForgetName = QStringLiteral("forget");
const QString YesName = QStringLiteral("yes");
const QString ForceName = QStringLiteral("force");

void addOptions(CommandLine &line)
{
    line.addOption(QCommandLineOption(FormatName,
                                      QStringLiteral("Formato de la salida de scan, remove, "
                                                     "changes y fans: table (por omisión), csv "
                                                     "o json."),
                                      QStringLiteral("FORMATO")));
    line.addOption(
        QCommandLineOption(AccountName, AuditTexts::accountOption(), QStringLiteral("CUENTA")));
    line.addOption(QCommandLineOption(
        SinceName,
        QStringLiteral("changes compara con el último análisis anterior a esta fecha "
                       "(AAAA-MM-DD)."),
        QStringLiteral("FECHA")));
    line.addOption(QCommandLineOption(
        NotifyName, QStringLiteral("changes avisa en el escritorio cuando hay Zorko nuevos.")));
    line.addOption(QCommandLineOption(
        ForgetName, QStringLiteral("history borra el historial y la lista de protegidos.")));
    line.addOption(
        QCommandLineOption(YesName, QStringLiteral("history --forget borra sin preguntar.")));
    line.addOption(QCommandLineOption(
        ForceName, QStringLiteral("keep add protege también direcciones que no están en la "
                                  "lista de contactos.")));
}

QString faultText(const CommandLine::Fault &fault)
{
    if (fault.kind != CommandLine::Fault::Kind::MissingValue)
        return QStringLiteral("opción desconocida «%1»").arg(fault.argument);
    if (fault.option == FormatName)
        return QStringLiteral("falta el formato tras --format");
    if (fault.option == AccountName)
        return QStringLiteral("falta la cuenta tras --account");
    return QStringLiteral("falta el valor tras --%1").arg(fault.option);
}

bool parseFormat(const QString &name, AuditOptions::Format &format)
{
    if (name == QLatin1String("table"))
        format = AuditOptions::Format::Table;
    else if (name == QLatin1String("csv"))
        format = AuditOptions::Format::Csv;
    else if (name == QLatin1String("json"))
        format = AuditOptions::Format::Json;
    else
        return false;
    return true;
}

// The values of the options; an empty text when they can be used.
QString readValues(const CommandLine &line, AuditOptions &options)
{
    for (const QString &name : {FormatName, AccountName, SinceName}) {
        if (line.values(name).size() > 1)
            return QStringLiteral("--%1 aparece más de una vez").arg(name);
    }
    if (line.isSet(FormatName) && !parseFormat(line.value(FormatName), options.format))
        return QStringLiteral("formato desconocido «%1» (use table, csv o json)")
            .arg(line.value(FormatName));
    options.account = line.value(AccountName);
    if (line.isSet(AccountName) && options.account.isEmpty())
        return QStringLiteral("--account necesita una cuenta");
    if (line.isSet(SinceName)) {
        options.since = IsoMoment::parse(line.value(SinceName));
        if (!options.since.isValid())
            return QStringLiteral("fecha no válida «%1» tras --since (use AAAA-MM-DD o "
                                  "AAAA-MM-DDTHH:MM:SS con su zona, por ejemplo 2026-12-03 "
                                  "o 2026-12-03T09:30:00+01:00)")
                .arg(line.value(SinceName));
    }
    options.notify = line.isSet(NotifyName);
    options.yes = line.isSet(YesName);
    options.force = line.isSet(ForceName);
    return QString();
}

// Each address once, in the order given; false for an empty one.
bool takeAddresses(const QStringList &words, QStringList &addresses)
{
    for (const QString &address : words) {
        if (address.isEmpty())
            return false;
        if (!addresses.contains(address))
            addresses.append(address);
    }
    return true;
}

// Which options the command takes beyond --account; the fault when another is given.
QString misplacedOption(const QString &command, const CommandLine &line)
{
    const bool changes = command == QLatin1String("changes");
    const bool report = changes || command == QLatin1String("scan") ||
                        command == QLatin1String("remove") || command == QLatin1String("fans");
    if (!report && (line.isSet(FormatName) || line.isSet(SinceName) || line.isSet(NotifyName)))
        return QStringLiteral("--format, --since y --notify solo valen para changes");
    if (!changes && (line.isSet(SinceName) || line.isSet(NotifyName)))
        return QStringLiteral("--since y --notify solo valen para changes");
    if (command != QLatin1String("history") && (line.isSet(ForgetName) || line.isSet(YesName)))
        return QStringLiteral("--forget y --yes solo valen para history");
    if (command != QLatin1String("keep") && line.isSet(ForceName))
        return QStringLiteral("--force solo vale para keep add");
    return QString();
}

QString readReportCommand(const QString &command, QStringList words, AuditOptions &options)
{
    if (command == QLatin1String("remove")) {
        options.command = Command::Remove;
        if (words.isEmpty())
            return QStringLiteral("remove necesita al menos una dirección");
        if (!takeAddresses(words, options.addresses))
            return QStringLiteral("dirección vacía en la lista de remove");
        return QString();
    }
    options.command = command == QLatin1String("scan") ? Command::Scan : Command::Changes;
    if (!words.isEmpty())
        return QStringLiteral("%1 no admite direcciones («%2»)").arg(command, words.first());
    return QString();
}

QString readHistoryCommand(const QStringList &words, bool forget, AuditOptions &options)
{
    if (forget) {
        options.command = Command::Forget;
        return words.isEmpty() ? QString()
                               : QStringLiteral("history --forget no admite direcciones");
    }
    if (options.yes)
        return QStringLiteral("--yes solo vale con --forget");
    if (words.size() != 1 || words.first().isEmpty())
        return QStringLiteral("history necesita una dirección (o --forget)");
    options.command = Command::History;
    options.addresses = words;
    return QString();
}

QString readKeepCommand(QStringList words, AuditOptions &options)
{
    if (words.isEmpty())
        return QStringLiteral("falta qué hacer con keep (add, remove o list)");
    const QString action = words.takeFirst();
    if (action == QLatin1String("list")) {
        options.command = Command::KeepList;
        if (options.force)
            return QStringLiteral("--force solo vale para keep add");
        return words.isEmpty() ? QString() : QStringLiteral("keep list no admite direcciones");
    }
    if (action != QLatin1String("add") && action != QLatin1String("remove"))
        return QStringLiteral("acción desconocida «%1» de keep (use add, remove o list)")
            .arg(action);
    options.command = action == QLatin1String("add") ? Command::KeepAdd : Command::KeepRemove;
    if (options.force && options.command != Command::KeepAdd)
        return QStringLiteral("--force solo vale para keep add");
    if (words.isEmpty())
        return QStringLiteral("keep %1 necesita al menos una dirección").arg(action);
    if (!takeAddresses(words, options.addresses))
        return QStringLiteral("dirección vacía en la lista de keep");
    return QString();
}

QString readFansCommand(QStringList words, AuditOptions &options)
{
    if (words.isEmpty()) {
        options.command = Command::FansList;
        return QString();
    }
    const QString action = words.takeFirst();
    if (action != QLatin1String("add") && action != QLatin1String("drop"))
        return QStringLiteral("acción desconocida «%1» de fans (use add o drop, o nada para "
                              "listar)")
            .arg(action);
    options.command = action == QLatin1String("add") ? Command::FansAdd : Command::FansDrop;
    if (words.isEmpty())
        return QStringLiteral("fans %1 necesita al menos una dirección").arg(action);
    if (!takeAddresses(words, options.addresses))
        return QStringLiteral("dirección vacía en la lista de fans %1").arg(action);
    return QString();
}

QString readCommand(const CommandLine &line, AuditOptions &options)
{
    QStringList words = line.positionalArguments();
    if (words.isEmpty())
        return QStringLiteral("falta la orden (scan, remove, changes, history, keep o fans)");
    const QString command = words.takeFirst();
    static const QStringList Commands = {QStringLiteral("scan"),    QStringLiteral("remove"),
                                         QStringLiteral("changes"), QStringLiteral("history"),
                                         QStringLiteral("keep"),    QStringLiteral("fans")};
    if (!Commands.contains(command))
        return QStringLiteral(
                   "orden desconocida «%1» (use scan, remove, changes, history, keep o fans)")
            .arg(command);
    if (QString misplaced = misplacedOption(command, line); !misplaced.isEmpty())
        return misplaced;
    if (command == QLatin1String("history"))
        return readHistoryCommand(words, line.isSet(ForgetName), options);
    if (command == QLatin1String("keep"))
        return readKeepCommand(words, options);
    if (command == QLatin1String("fans"))
        return readFansCommand(words, options);
    return readReportCommand(command, words, options);
}

} // namespace

AuditCommandLine::Result AuditCommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    addOptions(line);
    const bool read = line.parse(arguments);
    Result result;
    QString error;
    if (line.helpRequested())
        result.options.command = Command::Help;
    else if (line.versionRequested())
        result.options.command = Command::Version;
    else if (!read)
        error = faultText(line.fault());
    else if (error = readValues(line, result.options); error.isEmpty())
        error = readCommand(line, result.options);
    // The fault quotes what was typed; control and direction characters in an argument are
    // shown escaped, so that the fault stays one readable line.
    result.error = AuditTool::escapeControls(error);
    result.ok = error.isEmpty();
    if (!result.ok)
        result.options = AuditOptions();
    return result;
}

QString AuditCommandLine::usage()
{
    CommandLine line;
    addOptions(line);
    return QStringLiteral(
               "Uso:\n"
               "  orvalin-audit scan [--format table|csv|json] [--account CUENTA]\n"
               "  orvalin-audit remove [--format table|csv|json] [--account CUENTA] "
               "DIRECCIÓN...\n"
               "  orvalin-audit [--account CUENTA] changes [--since FECHA] "
               "[--format table|csv|json] [--notify]\n"
               "  orvalin-audit history DIRECCIÓN\n"
               "  orvalin-audit history --forget [--yes]\n"
               "  orvalin-audit [--account CUENTA] keep add [--force] DIRECCIÓN...\n"
               "  orvalin-audit [--account CUENTA] keep remove DIRECCIÓN...\n"
               "  orvalin-audit [--account CUENTA] keep list\n"
               "  orvalin-audit fans [--format table|csv|json] [--account CUENTA]\n"
               "  orvalin-audit fans add|drop [--format table|csv|json] [--account CUENTA] "
               "DIRECCIÓN...\n"
               "  orvalin-audit --help | --version\n"
               "\n"
               "scan lista los contactos que ya no te tienen en su lista (Zorko).\n"
               "remove los quita de tu lista de contactos; solo quita los que scan lista.\n"
               "changes busca y compara con el análisis anterior: quién es Zorko desde "
               "entonces, quién te volvió a agregar\ny a quién eliminaste. --notify avisa en "
               "el escritorio cuando hay Zorko nuevos.\n"
               "history muestra cuándo fue Zorko un contacto; --forget borra el historial y la "
               "lista de protegidos.\n"
               "keep protege contactos de la cuenta: se siguen listando, pero nunca se eliminan; "
               "add inicia sesión\ny solo protege direcciones de la lista de contactos, salvo "
               "con --force.\n"
               "fans lista a quienes te tienen y tú no, y las solicitudes sin responder (solo "
               "en cuentas XMPP);\nfans add los agrega (y acepta su solicitud), fans drop les "
               "retira tu presencia o rechaza\nla solicitud; solo actúan sobre los que fans "
               "lista, y drop nunca toca a los protegidos.\n"
               "\n") +
           line.optionsHelp() +
           QStringLiteral(
               "\n"
               "CUENTA es una dirección XMPP, un archivo de cuenta, la descarga de datos de "
               "Instagram,\n"
               "Threads, TikTok o X (el ZIP o su carpeta) o «demo». Sin --account, la cuenta sale "
               "de\n"
               "ORVALIN_XMPP u ORVALIN_ACCOUNT, luego de la cuenta recordada que inicia sesión "
               "sola y,\n"
               "si no hay ninguna, de la cuenta de demostración. La contraseña XMPP sale de\n"
               "ORVALIN_XMPP_PASSWORD_FILE, del llavero del sistema o del terminal.\n"
               "\n"
               "Salida: 0 hecho; 1 alguna dirección no listada o no eliminada (o, en fans, no "
               "agregada o no retirada);\n2 uso incorrecto; "
               "3 sesión no iniciada; 4 fallo del cliente o de la búsqueda (o una cuenta sin "
               "lista de fans);\n5 no se pudo escribir la salida.\n");
}
