#include "session/procedures/service_bundle.h"

#include "app/build_info.h"
#include "app/text_file.h"
#include "archive/archive_settings.h"
#include "archive/day_folder.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "session/command_sender.h"
#include "session/operator.h"
#include "session/procedures/gauge_configuration.h"
#include "session/procedures/parameter_set.h"
#include "session/procedures/procedure_context.h"
#include "session/register_records.h"
#include "values/clock.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

const QString CapturePrefixes[] = {QStringLiteral("Spectrum_"), QStringLiteral("Signal_")};
// How far back the newest capture is looked for.
constexpr int CaptureDaysBack = 31;

bool isCapture(const QString &name)
{
    for (const QString &prefix : CapturePrefixes)
        if (name.startsWith(prefix))
            return true;
    return false;
}

void addFile(QList<TZipEntry> &entries, const QString &name, const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        entries.append({name, file.readAll()});
}

QString datePath(const QDate &day)
{
    return day.toString(QStringLiteral("yyyy/MM/dd/"));
}

// The newest data file of a capture kind (the summaries, counter 0000,
// aside): names sort by date, start time and counter.
void addNewestCapture(QList<TZipEntry> &entries, const TServiceBundleSources &sources, const QString &prefix)
{
    for (int back = 0; back < CaptureDaysBack; ++back) {
        const QDate day = sources.Now.date().addDays(-back);
        QStringList names = QDir(DayFolder(sources.DbPath, day))
                                .entryList({prefix + QStringLiteral("*.txt")}, QDir::Files, QDir::Name | QDir::Reversed);
        names.removeIf([](const QString &name) { return name.endsWith(QStringLiteral("_0000.txt")); });
        if (!names.isEmpty()) {
            addFile(entries, QStringLiteral("archive/") + datePath(day) + names.first(),
                    QDir(DayFolder(sources.DbPath, day)).filePath(names.first()));
            return;
        }
    }
}

QString readmeTime(const QDateTime &time)
{
    return time.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
}

} // namespace

TServiceBundleGauge ServiceBundleGauge(const Ttolm472 &model, const TConfiguration &configuration,
                                       const QDateTime &now)
{
    TServiceBundleGauge gauge;
    gauge.ParameterSetName = ParameterSetFileName(model.Config.PlantNumber(), now.date());
    gauge.ParameterSet = ParameterSetBytes(model, &configuration);
    const int total = int(configuration.Values.size());
    gauge.ReadmeLines = {
        QStringLiteral("Заводской номер: ") + QString::number(model.Config.PlantNumber()),
        QStringLiteral("Модель: ") + model.Description.Title,
        QStringLiteral("Тип программы: ") + QString::number(model.Identity.ProgramType),
        !configuration.GaugeAnswered
            ? QStringLiteral("Параметры прибора: прибор не ответил, в файле параметров значения из программы")
        : configuration.Missing() > 0
            ? QStringLiteral("Параметры прибора: не считано %1 из %2").arg(configuration.Missing()).arg(total)
            : QStringLiteral("Параметры прибора: считаны все (%1)").arg(total),
    };
    return gauge;
}

QList<TZipEntry> ServiceBundleFiles(const TServiceBundleSources &sources)
{
    QList<TZipEntry> entries;
    const QDir ini(QDir(sources.ProgramFolder).filePath(QStringLiteral("INI")));
    for (const QString &name : ini.entryList(QDir::Files, QDir::Name))
        addFile(entries, QStringLiteral("INI/") + name, ini.filePath(name));
    addFile(entries, QFileInfo(sources.ExchangeLog).fileName(), sources.ExchangeLog);
    for (const QDate &day : {sources.Now.date().addDays(-1), sources.Now.date()}) {
        addFile(entries, QStringLiteral("DATA/") + datePath(day) + QStringLiteral("BlackBox.txt"),
                QDir(sources.ProgramFolder).filePath(QStringLiteral("DATA/") + datePath(day) +
                                                     QStringLiteral("BlackBox.txt")));
        const QDir folder(DayFolder(sources.DbPath, day));
        for (const QString &name : folder.entryList({QStringLiteral("*.txt")}, QDir::Files, QDir::Name))
            if (!isCapture(name))
                addFile(entries, QStringLiteral("archive/") + datePath(day) + name, folder.filePath(name));
    }
    for (const QString &prefix : CapturePrefixes)
        addNewestCapture(entries, sources, prefix);
    return entries;
}

bool WriteServiceBundle(const QString &path, const TServiceBundleGauge &gauge, const TServiceBundleSources &sources,
                        QString &error)
{
    QList<TZipEntry> entries = ServiceBundleFiles(sources);
    if (!gauge.ParameterSet.isEmpty())
        entries.prepend({gauge.ParameterSetName, gauge.ParameterSet});
    const QString program = QCoreApplication::applicationName().isEmpty() ? QStringLiteral("tolm47x")
                                                                          : QCoreApplication::applicationName();
    QStringList readme = {QStringLiteral("Пакет для сервиса ТОЛМ47xИ"),
                          QStringLiteral("Создан: ") + readmeTime(sources.Now),
                          QStringLiteral("Программа: ") + VersionLine(program)};
    readme += gauge.ReadmeLines;
    readme += QString();
    readme += QStringLiteral("Файлы:");
    for (const TZipEntry &entry : entries)
        readme += QStringLiteral("  ") + entry.Name;
    entries.prepend({QStringLiteral("README.txt"), ToCp1251(readme.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"))});
    return WriteZip(path, entries, error);
}

void SaveServiceBundle(const TProcedureContext &context, const QString &)
{
    // The gauge first: its plant number names the suggested file.
    const TConfiguration configuration = ReadConfiguration(context);
    // Told before choosing where: the bundle of a silent gauge holds only
    // what the program has.
    if (!configuration.GaugeAnswered)
        context.Op().Warning(QStringLiteral("Прибор не ответил: не считаны ни сигнатура, ни параметры прибора (") +
                             QString::number(int(configuration.Values.size())) +
                             QStringLiteral(").\rВ пакет войдут значения из программы"));
    const QDateTime now = Clock().Now();
    TServiceBundleGauge gauge;
    QString suggested;
    context.Sender.OnModel([&](const Ttolm472 &model) {
        gauge = ServiceBundleGauge(model, configuration, now);
        suggested = QDir(context.ProgramFolder)
                        .filePath(QStringLiteral("Service_") + PlantNumberTag(model.Config.PlantNumber()) +
                                  now.toString(QStringLiteral("_yyyyMMdd_hhmmss")) + QStringLiteral(".zip"));
    });
    const QString path =
        context.Op().SaveFileName(QStringLiteral("Пакет для сервиса (*.zip)"), QStringLiteral("zip"), suggested);
    if (path.isEmpty())
        return;
    const TServiceBundleSources sources{context.ProgramFolder, LoadArchiveSettings(context.ProgramFolder).dbPath,
                                        QDir::current().filePath(ExchangeLogName(now.date())), now};
    QString error;
    if (!WriteServiceBundle(path, gauge, sources, error)) {
        context.Op().Error(error);
        return;
    }
    RecordInRegister(context, [&](const Ttolm472 &model) { return BundleRecord(model, path); });
    QString saved = QStringLiteral("Пакет для сервиса сохранен:\r") + QDir::toNativeSeparators(path);
    if (!configuration.GaugeAnswered)
        saved += QStringLiteral("\rВ пакете нет параметров, считанных из прибора");
    context.Op().Information(QStringLiteral("Пакет для сервиса"), saved);
}
