#include "platform/messenger/download/ZipEntries.h"

#include "platform/base/SystemText.h"
#include "platform/messenger/download/DownloadError.h"

#include <QFile>
#include <QTimeZone>
#include <algorithm>
#include <zip.h>

namespace {

// libzip's own reasons, in our words.
QString zipReason(int code)
{
    switch (code) {
    case ZIP_ER_NOZIP:
        return QStringLiteral("no es un archivo ZIP");
    case ZIP_ER_INCONS:
    case ZIP_ER_CRC:
    case ZIP_ER_EOF:
        return QStringLiteral("el ZIP está dañado o incompleto");
    case ZIP_ER_NOENT:
        return QStringLiteral("no existe");
    case ZIP_ER_OPEN:
        return QStringLiteral("no se puede abrir");
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
        return QStringLiteral("no se puede leer");
    case ZIP_ER_COMPNOTSUPP:
        return QStringLiteral("usa una compresión que no se admite");
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
        return QStringLiteral("está cifrado");
    case ZIP_ER_MEMORY:
        return QStringLiteral("no queda memoria");
    default:
        break;
    }
    return QStringLiteral("libzip no pudo leerlo (código %1)").arg(code);
}

QString zipErrorText(zip_error_t *error)
{
    QString reason = zipReason(zip_error_code_zip(error));
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) != 0)
        return reason + QStringLiteral(": ") + SystemText::errorText(zip_error_code_system(error));
    return reason;
}

struct FileCloser
{
    void operator()(zip_file_t *file) const { zip_fclose(file); }
};

} // namespace

void ZipEntries::Closer::operator()(zip *archive) const
{
    zip_discard(archive);
}

ZipEntries::ZipEntries(const QString &path) : m_path(path)
{
    int code = 0;
    // ZIP_CHECKCONS: a directory that disagrees with the entries' own headers is refused.
    zip *archive = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!archive) {
        zip_error_t error;
        zip_error_init_with_code(&error, code);
        const QString reason = zipErrorText(&error);
        zip_error_fini(&error);
        damaged(reason);
    }
    m_archive.reset(archive);
    readDirectory();
}

ZipEntries::ZipEntries(const QString &path, const QByteArray &content)
    : m_path(path), m_content(content)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source =
        zip_source_buffer_create(m_content.constData(), zip_uint64_t(m_content.size()), 0, &error);
    zip *archive =
        source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    if (!archive) {
        if (source)
            zip_source_free(source);
        const QString reason = zipErrorText(&error);
        zip_error_fini(&error);
        damaged(reason);
    }
    zip_error_fini(&error);
    m_archive.reset(archive);
    readDirectory();
}

ZipEntries::~ZipEntries() = default;

void ZipEntries::damaged(const QString &what) const
{
    throw DownloadDamagedError(
        QStringLiteral("%1 no es un ZIP que se pueda leer (%2): vuelve a descargarlo")
            .arg(m_path, what));
}

void ZipEntries::readDirectory()
{
    const zip_int64_t count = zip_get_num_entries(m_archive.get(), 0);
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(m_archive.get(), zip_uint64_t(i), 0, &stat) != 0)
            damaged(zipErrorText(zip_get_error(m_archive.get())));
        const QString name = QString::fromUtf8(stat.name);
        checkName(m_path, name);
        if ((stat.valid & ZIP_STAT_MTIME) && stat.mtime > 0) {
            const QDateTime modified = QDateTime::fromSecsSinceEpoch(stat.mtime, QTimeZone::utc());
            if (!m_newest.isValid() || modified > m_newest)
                m_newest = modified;
        }
        if (name.endsWith(QLatin1Char('/')))
            continue;
        m_names.append(name);
        m_index.insert(name, i);
    }
}

ZipEntries::Entry ZipEntries::checkedEntry(const QString &name) const
{
    const qint64 index = m_index.value(name, -1);
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (index < 0 || zip_stat_index(m_archive.get(), zip_uint64_t(index), 0, &stat) != 0)
        damaged(QStringLiteral("falta la entrada «%1»").arg(name));
    const QString entry = QStringLiteral("%1: la entrada «%2»").arg(m_path, name);
    if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE)
        throw DownloadUnsafeError(
            QStringLiteral("%1 está cifrada; las redes no cifran sus descargas: vuelve a "
                           "descargarla")
                .arg(entry));
    const qint64 size = qint64(stat.size);
    const qint64 packed = qint64(stat.comp_size);
    if (size > MaxEntrySize ||
        (size > MinRatioCheckedSize && (packed <= 0 || size / packed > MaxRatio)))
        throw DownloadTooLargeError(
            QStringLiteral("%1 ocuparía %2 bytes al descomprimirla (%3 en el ZIP): es más de lo "
                           "que cabe en una lista real, y no se descomprime")
                .arg(entry)
                .arg(size)
                .arg(packed));
    return {index, size};
}

QByteArray ZipEntries::read(const QString &name) const
{
    QByteArray data;
    const Entry entry = checkedEntry(name);
    data.reserve(entry.size);
    readPieces(name, entry, [&data](QByteArrayView piece) {
        data.append(piece);
        return true;
    });
    return data;
}

void ZipEntries::readPieces(const QString &name, const TakePiece &take) const
{
    readPieces(name, checkedEntry(name), take);
}

void ZipEntries::readPieces(const QString &name, const Entry &entry, const TakePiece &take) const
{
    std::unique_ptr<zip_file_t, FileCloser> file(
        zip_fopen_index(m_archive.get(), zip_uint64_t(entry.index), 0));
    if (!file)
        damaged(QStringLiteral("«%1»: %2").arg(name, zipErrorText(zip_get_error(m_archive.get()))));
    QByteArray piece(std::clamp<qint64>(entry.size, 1, PieceSize), Qt::Uninitialized);
    for (qint64 done = 0; done < entry.size;) {
        const zip_int64_t got =
            zip_fread(file.get(), piece.data(),
                      zip_uint64_t(std::min<qint64>(piece.size(), entry.size - done)));
        if (got <= 0)
            damaged(QStringLiteral("«%1» está cortada o dañada (%2)")
                        .arg(name, got < 0 ? zipErrorText(zip_file_get_error(file.get()))
                                           : QStringLiteral("termina antes de tiempo")));
        done += got;
        if (!take(QByteArrayView(piece.constData(), qsizetype(got))))
            return;
    }
    // An entry that unpacks to more than its directory says is damaged, not silently cut.
    char extra = 0;
    if (zip_fread(file.get(), &extra, 1) != 0)
        damaged(QStringLiteral("«%1» ocupa más de lo que dice el directorio").arg(name));
}
