#pragma once
// The service-case bundle: one ZIP with what a service centre asks for
// when a gauge comes back: the gauge's whole configuration as a parameter
// set with its backup section, the newest spectrum and signal capture
// files, today's exchange log, today's status log "BlackBox.txt", the
// archive text files of today and yesterday (the last 24 hours), the INI
// files, and a README.txt (Windows-1251, CR LF) naming the program's
// version, the gauge's plant number, model and program type, and the time.
// Files go in byte for byte as they were when read.

#include "session/zip_writer.h"

#include <QDateTime>
#include <QList>
#include <QString>

class Ttolm472;
struct TConfiguration;
struct TProcedureContext;

// Where the files come from.
struct TServiceBundleSources {
    QString ProgramFolder; // INI/ and DATA/yyyy/mm/dd/BlackBox.txt
    QString DbPath;        // the archive root with its day folders
    QString ExchangeLog;   // today's exchange log
    QDateTime Now;
};

// What the bundle tells of the gauge, taken from the model at once (in the
// thread that owns it); the files are read later, anywhere.
struct TServiceBundleGauge {
    QString ParameterSetName; // "PN00123-20261209.ini"
    QByteArray ParameterSet;  // the file's bytes; empty when it could not be made
    QStringList ReadmeLines;  // the gauge's lines of README.txt
};

TServiceBundleGauge ServiceBundleGauge(const Ttolm472 &model, const TConfiguration &configuration,
                                       const QDateTime &now);

// The files found on disk, each read whole, with their names in the bundle:
// "INI/…", "DATA/yyyy/mm/dd/BlackBox.txt", the exchange log by its name,
// "archive/yyyy/mm/dd/…" for the archive's files.
QList<TZipEntry> ServiceBundleFiles(const TServiceBundleSources &sources);

// Makes the ZIP at `path`; false with a one-line `error`.
bool WriteServiceBundle(const QString &path, const TServiceBundleGauge &gauge, const TServiceBundleSources &sources,
                        QString &error);

// "Сохранить пакет для сервиса": reads the gauge's whole configuration (a
// gauge that does not answer leaves its values missing, the rest of the
// bundle is still made), asks where and writes the bundle.
void SaveServiceBundle(const TProcedureContext &context, const QString &hint);
