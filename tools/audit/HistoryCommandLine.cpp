#include "tools/audit/HistoryCommandLine.h"

#include "tools/audit/AuditTool.h"

namespace {

const QStringList Commands = {QStringLiteral("changes"), QStringLiteral("history"),
                              QStringLiteral("keep")};

HistoryCommandLine::Result failure(const QString &error)
{
    HistoryCommandLine::Result result;
    result.error = AuditTool::escapeControls(error);
    return result;
}

// An ISO date is midnight of that day here; a full ISO time is taken as written.
QDateTime parseSince(const QString &text)
{
    const QDate date = QDate::fromString(text, Qt::ISODate);
    if (date.isValid())
        return date.startOfDay();
    return QDateTime::fromString(text, Qt::ISODate);
}

} // namespace

bool HistoryCommandLine::handles(const QStringList &arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (argument == QLatin1String("--format") || argument == QLatin1String("--since") ||
            argument == QLatin1String("--account")) {
            ++i;
            continue;
        }
        if (argument == QLatin1String("--"))
            return i + 1 < arguments.size() && Commands.contains(arguments.at(i + 1));
        if (!argument.startsWith(QLatin1Char('-')))
            return Commands.contains(argument);
    }
    return false;
}

HistoryCommandLine::Result HistoryCommandLine::parse(const QStringList &arguments)
{
    Result result;
    HistoryOptions &options = result.options;
    QStringList positional;
    bool formatSeen = false;
    bool sinceSeen = false;
    bool forget = false;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) ||
            argument == QLatin1String("-")) {
            positional.append(argument);
        } else if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (argument == QLatin1String("--format") || argument == QLatin1String("--since")) {
            if (i + 1 >= arguments.size())
                return failure(QStringLiteral("falta el valor tras %1").arg(argument));
            const QString &value = arguments.at(++i);
            if (argument == QLatin1String("--format")) {
                if (formatSeen)
                    return failure(QStringLiteral("--format aparece más de una vez"));
                formatSeen = true;
                if (!AuditCommandLine::parseFormat(value, options.format))
                    return failure(
                        QStringLiteral("formato desconocido «%1» (use table, csv o json)")
                            .arg(value));
            } else {
                if (sinceSeen)
                    return failure(QStringLiteral("--since aparece más de una vez"));
                sinceSeen = true;
                options.since = parseSince(value);
                if (!options.since.isValid())
                    return failure(QStringLiteral("fecha no válida «%1» tras --since (use "
                                                  "AAAA-MM-DD, por ejemplo 2026-12-03)")
                                       .arg(value));
            }
        } else if (QString error;
                   AuditCommandLine::readAccount(arguments, i, options.account, error)) {
            if (!error.isEmpty())
                return failure(error);
        } else if (argument == QLatin1String("--notify")) {
            options.notify = true;
        } else if (argument == QLatin1String("--forget")) {
            forget = true;
        } else if (argument == QLatin1String("--yes")) {
            options.yes = true;
        } else {
            return failure(QStringLiteral("opción desconocida «%1»").arg(argument));
        }
    }

    if (positional.isEmpty() || !Commands.contains(positional.first()))
        return failure(QStringLiteral("falta la orden (changes, history o keep)"));
    const QString command = positional.takeFirst();
    const bool changes = command == QLatin1String("changes");
    if ((formatSeen || sinceSeen || options.notify) && !changes)
        return failure(QStringLiteral("--format, --since y --notify solo valen para changes"));
    if ((forget || options.yes) && command != QLatin1String("history"))
        return failure(QStringLiteral("--forget y --yes solo valen para history"));

    if (changes) {
        if (!positional.isEmpty())
            return failure(
                QStringLiteral("changes no admite direcciones («%1»)").arg(positional.first()));
        options.command = HistoryOptions::Command::Changes;
    } else if (command == QLatin1String("history")) {
        if (forget) {
            if (!positional.isEmpty())
                return failure(QStringLiteral("history --forget no admite direcciones"));
            options.command = HistoryOptions::Command::Forget;
        } else {
            if (options.yes)
                return failure(QStringLiteral("--yes solo vale con --forget"));
            if (positional.size() != 1 || positional.first().isEmpty())
                return failure(QStringLiteral("history necesita una dirección (o --forget)"));
            options.command = HistoryOptions::Command::History;
            options.addresses = positional;
        }
    } else {
        if (positional.isEmpty())
            return failure(QStringLiteral("falta qué hacer con keep (add, remove o list)"));
        const QString action = positional.takeFirst();
        if (action == QLatin1String("list")) {
            if (!positional.isEmpty())
                return failure(QStringLiteral("keep list no admite direcciones"));
            options.command = HistoryOptions::Command::KeepList;
        } else if (action == QLatin1String("add") || action == QLatin1String("remove")) {
            if (positional.isEmpty())
                return failure(
                    QStringLiteral("keep %1 necesita al menos una dirección").arg(action));
            options.command = action == QLatin1String("add") ? HistoryOptions::Command::KeepAdd
                                                             : HistoryOptions::Command::KeepRemove;
            for (const QString &address : positional) {
                if (address.isEmpty())
                    return failure(QStringLiteral("dirección vacía en la lista de keep"));
                if (!options.addresses.contains(address))
                    options.addresses.append(address);
            }
        } else {
            return failure(
                QStringLiteral("acción desconocida «%1» de keep (use add, remove o list)")
                    .arg(action));
        }
    }
    result.ok = true;
    return result;
}

QString HistoryCommandLine::usage()
{
    return QStringLiteral(
        "  orvalin-audit [--account CUENTA] changes [--since FECHA] [--format table|csv|json] "
        "[--notify]\n"
        "  orvalin-audit history DIRECCIÓN\n"
        "  orvalin-audit history --forget [--yes]\n"
        "  orvalin-audit keep add|remove DIRECCIÓN...\n"
        "  orvalin-audit keep list\n"
        "\n"
        "changes busca y compara con el análisis anterior: quién es Zorko desde entonces, quién "
        "te volvió a agregar\ny a quién eliminaste. --notify avisa en el escritorio cuando hay "
        "Zorko nuevos.\n"
        "history muestra cuándo fue Zorko un contacto; --forget borra el historial y la lista de "
        "protegidos.\n"
        "keep protege contactos: se siguen listando, pero nunca se eliminan.\n");
}
