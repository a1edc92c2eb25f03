#include "tools/audit/AuditCommandLine.h"

namespace {

// The fault quotes what was typed; a line break or other control character in an argument
// is shown escaped, so that the fault stays one readable line.
QString escapeControls(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar ch : text) {
        if (ch == QLatin1Char('\n'))
            escaped += QLatin1String("\\n");
        else if (ch == QLatin1Char('\r'))
            escaped += QLatin1String("\\r");
        else if (ch == QLatin1Char('\t'))
            escaped += QLatin1String("\\t");
        else if (ch.category() == QChar::Other_Control)
            escaped += QStringLiteral("\\x%1").arg(ch.unicode(), 2, 16, QLatin1Char('0'));
        else
            escaped += ch;
    }
    return escaped;
}

AuditCommandLine::Result failure(const QString &error)
{
    AuditCommandLine::Result result;
    result.error = escapeControls(error);
    return result;
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

} // namespace

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
        } else if (argument == QLatin1String("--account") ||
                   argument.startsWith(QLatin1String("--account="))) {
            if (!result.options.account.isEmpty())
                return failure(QStringLiteral("--account aparece más de una vez"));
            if (argument == QLatin1String("--account")) {
                if (i + 1 >= arguments.size())
                    return failure(QStringLiteral("falta la cuenta tras --account"));
                result.options.account = arguments.at(++i);
            } else {
                result.options.account = argument.mid(10);
            }
            if (result.options.account.isEmpty())
                return failure(QStringLiteral("--account necesita una cuenta"));
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
        for (const QString &address : positional) {
            if (address.isEmpty())
                return failure(QStringLiteral("dirección vacía en la lista de remove"));
            if (!result.options.addresses.contains(address))
                result.options.addresses.append(address);
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
                          "3 sesión no iniciada; 4 fallo del cliente o de la búsqueda.\n");
}
