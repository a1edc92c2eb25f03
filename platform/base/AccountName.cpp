#include "platform/base/AccountName.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

QString canonicalDomain(const QString &domain)
{
    QString name = domain;
    // "example.org." is the same domain written fully qualified.
    if (name.endsWith(QLatin1Char('.')))
        name.chop(1);
    // Labels written in their ASCII form ("xn--...") read as the Unicode labels they stand for.
    if (name.contains(QLatin1String("xn--"), Qt::CaseInsensitive)) {
        const QString unicode = QUrl::fromAce(name.toLatin1(), QUrl::IgnoreIDNWhitelist);
        if (!unicode.isEmpty())
            name = unicode;
    }
    return name.toLower().normalized(QString::NormalizationForm_C);
}

} // namespace

bool AccountName::isAddress(const QString &name)
{
    const QString bare = name.section(QLatin1Char('/'), 0, 0);
    const qsizetype at = bare.indexOf(QLatin1Char('@'));
    return at > 0 && at == bare.lastIndexOf(QLatin1Char('@')) && at < bare.size() - 1 &&
           !bare.contains(QLatin1Char(' '));
}

QString AccountName::canonical(const QString &name)
{
    QString trimmed = name.trimmed();
    if (!isAddress(trimmed))
        return trimmed;
    const QString bare = trimmed.section(QLatin1Char('/'), 0, 0);
    const qsizetype at = bare.indexOf(QLatin1Char('@'));
    const QString local = bare.left(at).toCaseFolded().normalized(QString::NormalizationForm_C);
    return local + QLatin1Char('@') + canonicalDomain(bare.mid(at + 1));
}

QString AccountName::canonicalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : resolved;
}
