#include "session/zip_writer.h"

#include "app/replacing_file.h"

#include <QDir>
#include <QFile>

#include <zip.h>

namespace {

QString failure(const QString &path, const QString &why)
{
    return QStringLiteral("Не удалось записать архив ") + QDir::toNativeSeparators(path) + QStringLiteral(": ") + why;
}

QString archiveError(zip_t *archive)
{
    return QString::fromLocal8Bit(zip_error_strerror(zip_get_error(archive)));
}

} // namespace

bool WriteZip(const QString &path, const QList<TZipEntry> &entries, QString &error)
{
    // An older bundle under the same name stays whole until the new one is.
    TReplacingFile file(path);
    int code = 0;
    zip_t *archive = file.TemporaryPath().isEmpty()
        ? nullptr
        : zip_open(QFile::encodeName(file.TemporaryPath()).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
    if (!archive) {
        zip_error_t zipError;
        zip_error_init_with_code(&zipError, code);
        error = failure(path, QString::fromLocal8Bit(zip_error_strerror(&zipError)));
        zip_error_fini(&zipError);
        return false;
    }
    // libzip reads the buffers when the archive is closed; `entries` lives
    // until then.
    for (const TZipEntry &entry : entries) {
        zip_source_t *source = zip_source_buffer(archive, entry.Bytes.constData(), zip_uint64_t(entry.Bytes.size()), 0);
        if (!source || zip_file_add(archive, entry.Name.toUtf8().constData(), source,
                                    ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8) < 0) {
            if (source)
                zip_source_free(source);
            error = failure(path, archiveError(archive));
            zip_discard(archive);
            return false;
        }
    }
    if (zip_close(archive) < 0) {
        error = failure(path, archiveError(archive));
        zip_discard(archive);
        return false;
    }
    return file.Commit(error);
}
