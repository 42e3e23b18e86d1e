#include "ui/windows/gauge_record_report.h"

#include "device/tolm472.h"
#include "ui/windows/error_chart.h"
#include "values/descriptions.h"
#include "values/float_format.h"

#include <QPointer>

QString ReportNumber(double value, int decimals)
{
    return FloatToStrF(value, TDescriptionOfDouble::ffNumber, 15, decimals);
}

TChartReport GaugeRecordReport(const Ttolm472 &model, const QString &title, const TErrorChart &chart,
                               const QList<TReportField> &extra, TReportTable table)
{
    QList<TReportField> fields{
        {QStringLiteral("Заводской номер"), QString::number(model.Config.PlantNumber())},
        {QStringLiteral("Аппаратная версия"), QString::number(model.Identity.HardVersion)},
        {QStringLiteral("Программная версия"), QString::number(model.Identity.SoftVersion)},
    };
    fields.append(extra);
    fields.append({QStringLiteral("Смещение нуля"), ReportNumber(model.Config.SmPer(), 2)});
    fields.append({QStringLiteral("Коэффициент коррекции крутизны"), ReportNumber(model.Config.KrPer(), 5)});

    // The page is drawn whenever the preview asks; the window may be gone.
    QPointer<const TErrorChart> source(&chart);
    TChartReport report{title, QString(), QString::number(model.Config.PlantNumber()), model.Identity.ModelName(),
                        [source](QCustomPlot &page) {
                            if (source)
                                source->DrawInto(page);
                        }};
    report.Fields = std::move(fields);
    report.Table = std::move(table);
    return report;
}
