#include "tools/audit/AuditCommandLine.h"

#include "tools/audit/AuditTool.h"

#include <QSet>

namespace {

AuditCommandLine::Result failure(const QString &error)
{
    AuditCommandLine::Result result;
    // The fault quotes what was typed; control and direction characters in an argument are
    // shown escaped, so that the fault stays one readable line.
    result.error = AuditTool::escapeControls(error);
    return result;
}

} // namespace

bool AuditCommandLine::parseFormat(const QString &name, AuditOptions::Format &format)
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

AuditCommandLine::Result AuditCommandLine::parse(const QStringList &arguments)
{
    Result result;
    QStringList positional;
    bool formatSeen = false;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) ||
            argument == QLatin1String("-")) {
            positional.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            result.ok = true;
            result.options.command = AuditOptions::Command::Help;
            return result;
        } else if (argument == QLatin1String("--format") ||
                   argument.startsWith(QLatin1String("--format="))) {
            QString value;
            if (argument == QLatin1String("--format")) {
                if (i + 1 >= arguments.size())
                    return failure(QStringLiteral("falta el formato tras --format"));
                value = arguments.at(++i);
            } else {
                value = argument.mid(9);
            }
            if (formatSeen)
                return failure(QStringLiteral("--format aparece más de una vez"));
            formatSeen = true;
            if (!parseFormat(value, result.options.format))
                return failure(
                    QStringLiteral("formato desconocido «%1» (use table, csv o json)").arg(value));
        } else if (QString error; readAccount(arguments, i, result.options.account, error)) {
            if (!error.isEmpty())
                return failure(error);
        } else {
            return failure(QStringLiteral("opción desconocida «%1»").arg(argument));
        }
    }

    if (positional.isEmpty())
        return failure(QStringLiteral("falta la orden (scan o remove)"));
    const QString command = positional.takeFirst();
    if (command == QLatin1String("scan")) {
        if (!positional.isEmpty())
            return failure(
                QStringLiteral("scan no admite direcciones («%1»)").arg(positional.first()));
        result.options.command = AuditOptions::Command::Scan;
    } else if (command == QLatin1String("remove")) {
        if (positional.isEmpty())
            return failure(QStringLiteral("remove necesita al menos una dirección"));
        result.options.command = AuditOptions::Command::Remove;
        QSet<QString> seen;
        seen.reserve(positional.size());
        for (const QString &address : positional) {
            if (address.isEmpty())
                return failure(QStringLiteral("dirección vacía en la lista de remove"));
            if (!seen.contains(address)) {
                seen.insert(address);
                result.options.addresses.append(address);
            }
        }
    } else {
        return failure(QStringLiteral("orden desconocida «%1» (use scan o remove)").arg(command));
    }
    result.ok = true;
    return result;
}

QString AuditCommandLine::usage()
{
    return QStringLiteral("Uso:\n"
                          "  orvalin-audit scan [--format table|csv|json] [--account CUENTA]\n"
                          "  orvalin-audit remove [--format table|csv|json] [--account CUENTA] "
                          "DIRECCIÓN...\n"
                          "\n"
                          "scan lista los contactos que ya no te tienen en su lista (Zorko).\n"
                          "remove los quita de tu lista de contactos; solo quita los que scan "
                          "lista.\n"
                          "CUENTA es una dirección XMPP, un archivo de cuenta o «demo». Sin "
                          "--account, la cuenta sale de\n"
                          "ORVALIN_XMPP u ORVALIN_ACCOUNT, luego de la cuenta recordada que "
                          "inicia sesión sola y,\n"
                          "si no hay ninguna, de la cuenta de demostración. La contraseña XMPP "
                          "sale de\n"
                          "ORVALIN_XMPP_PASSWORD_FILE, del llavero del sistema o del terminal.\n"
                          "\n"
                          "Salida: 0 hecho; 1 alguna dirección no listada o no eliminada; "
                          "2 uso incorrecto;\n"
                          "3 sesión no iniciada; 4 fallo del cliente o de la búsqueda;\n"
                          "5 no se pudo escribir la salida.\n");
}

bool AuditCommandLine::readAccount(const QStringList &arguments, qsizetype &i, QString &account,
                                   QString &error)
{
    const QString &argument = arguments.at(i);
    const bool separate = argument == QLatin1String("--account");
    if (!separate && !argument.startsWith(QLatin1String("--account=")))
        return false;
    if (!account.isEmpty()) {
        error = QStringLiteral("--account aparece más de una vez");
        return true;
    }
    if (separate && i + 1 >= arguments.size()) {
        error = QStringLiteral("falta la cuenta tras --account");
        return true;
    }
    account = separate ? arguments.at(++i) : argument.mid(10);
    if (account.isEmpty())
        error = QStringLiteral("--account necesita una cuenta");
    return true;
}
