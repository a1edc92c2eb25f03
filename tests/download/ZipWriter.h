#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <zip.h>

// Writes a ZIP of our own with libzip, entry by entry, into a file.
struct ZipEntry
{
    QString name;
    QByteArray content;
    time_t modified = 0;
    bool encrypted = false;
};

inline bool writeZip(const QString &path, const QList<ZipEntry> &entries)
{
    int code = 0;
    zip_t *archive = zip_open(path.toLocal8Bit().constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive)
        return false;
    for (const ZipEntry &entry : entries) {
        zip_source_t *source = zip_source_buffer(archive, entry.content.constData(),
                                                 zip_uint64_t(entry.content.size()), 0);
        const zip_int64_t index =
            zip_file_add(archive, entry.name.toUtf8().constData(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) {
            zip_source_free(source);
            zip_discard(archive);
            return false;
        }
        if (entry.modified)
            zip_file_set_mtime(archive, zip_uint64_t(index), entry.modified, 0);
        if (entry.encrypted && zip_file_set_encryption(archive, zip_uint64_t(index),
                                                       ZIP_EM_TRAD_PKWARE, "clave") != 0) {
            zip_discard(archive);
            return false;
        }
    }
    return zip_close(archive) == 0;
}
