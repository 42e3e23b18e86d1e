#include "ui/windows/test_run_report.h"

#include "app/app_context.h"
#include "archive/day_folder.h"
#include "device/test_run.h"
#include "device/tolm472.h"
#include "session/procedures/test_run_protocol.h"
#include "session/register_records.h"
#include "ui/dialogs/operator.h"
#include "ui/windows/error_chart.h"
#include "ui/windows/gauge_record_report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QList<QPointF> TestRunChartPoints(const Ttolm472 &model)
{
    QList<QPointF> points;
    for (int n = 0; n < TestRunPoints(model); ++n)
        points.append({model.TestRun.Points[n].LevelExpected, model.TestRun.Points[n].LevelError});
    return points;
}

TChartReport TestRunReport(const Ttolm472 &model, const TErrorChart &chart)
{
    TReportTable table{QString(),
                       {QStringLiteral("Рулетка, мм"), QStringLiteral("Уровень, мм"),
                        QStringLiteral("Разница, мм"), QStringLiteral("Ток, мА"), QStringLiteral("Разница, мА")},
                       {}};
    for (int n = 0; n < TestRunPoints(model); ++n) {
        const TProgonPoint &p = model.TestRun.Points[n];
        table.Rows.append({ReportNumber(p.Tape, 0), ReportNumber(p.LevelMeasured, 3),
                           ReportNumber(p.LevelError, 3), ReportNumber(p.CurrentMeasured, 2),
                           ReportNumber(p.CurrentError, 2)});
    }
    return GaugeRecordReport(model, QStringLiteral("Прогон ТОЛМ472И"), chart,
                             {{QStringLiteral("№ ППМ"), model.TestRun.PPMNumber},
                              {QStringLiteral("№ Н/З"), model.TestRun.NNZNumber}},
                             std::move(table));
}

bool WriteTestRunProtocol(const Ttolm472 &model, const QString &dbPath, const QDateTime &stopped,
                          TTestRunProtocol &files, QString &error)
{
    const QString folder = DayFolder(dbPath, stopped.date());
    const QString base = QDir(folder).filePath(TestRunProtocolBaseName(model.Config.PlantNumber(), stopped));
    files = {base + QStringLiteral(".pdf"), base + QStringLiteral(".csv")};
    // The CSV first: it creates the day folder, and it is the record a
    // program reads back.
    if (!WriteTestRunProtocolCsv(files.Csv, model, error))
        return false;
    // The page is drawn from a chart of its own, as the window draws it
    // after the run (the window may be closed by now).
    TErrorChart chart;
    chart.SetPoints(TestRunChartPoints(model));
    if (!SaveChartReportPdf(TestRunReport(model, chart), files.Pdf, error))
        return false;
    QFile pdf(files.Pdf);
    RecordInRegister(AppContext().ProgramFolder(),
                     TestRunRecord(model, QFileInfo(files.Pdf).fileName(), pdf.open(QIODevice::ReadOnly) ? pdf.readAll() : QByteArray()),
                     Operator());
    return true;
}
