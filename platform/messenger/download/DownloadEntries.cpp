#include "platform/messenger/download/DownloadEntries.h"

#include "platform/messenger/download/DownloadError.h"

DownloadEntries::~DownloadEntries() = default;

void DownloadEntries::readPieces(const QString &name, const TakePiece &take) const
{
    take(read(name));
}

namespace {

bool endsWithPart(const QString &name, const QString &suffix)
{
    if (!name.endsWith(suffix, Qt::CaseInsensitive))
        return false;
    const qsizetype start = name.size() - suffix.size();
    return start == 0 || name.at(start - 1) == QLatin1Char('/');
}

} // namespace

QString DownloadEntries::find(const QString &suffix) const
{
    for (const QString &name : names()) {
        if (endsWithPart(name, suffix))
            return name;
    }
    return {};
}

QStringList DownloadEntries::findAll(const QString &suffix) const
{
    QStringList found;
    for (const QString &name : names()) {
        if (endsWithPart(name, suffix))
            found.append(name);
    }
    return found;
}

void DownloadEntries::checkName(const QString &path, const QString &name)
{
    QString unified = name;
    unified.replace(QLatin1Char('\\'), QLatin1Char('/'));
    const bool absolute = unified.startsWith(QLatin1Char('/')) ||
                          (unified.size() >= 2 && unified.at(1) == QLatin1Char(':'));
    const bool climbs = unified.split(QLatin1Char('/')).contains(QStringLiteral(".."));
    if (absolute || climbs)
        throw DownloadUnsafeError(
            QStringLiteral("%1: la entrada «%2» apunta fuera de la descarga; no se abre nada de "
                           "ella")
                .arg(path, name));
}
