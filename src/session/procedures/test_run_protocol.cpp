#include "session/procedures/test_run_protocol.h"

#include "app/text_file.h"
#include "device/test_run.h"
#include "session/procedures/parameter_set.h"
#include "values/csv_cells.h"

#include <QDir>
#include <QFileInfo>

QString TestRunProtocolBaseName(uint16_t plantNumber, const QDateTime &stopped)
{
    return QStringLiteral("Progon_") + PlantNumberTag(plantNumber) +
           stopped.toString(QStringLiteral("_yyyyMMdd_hhmmss"));
}

bool TestRunComplete(const Ttolm472 &model)
{
    if (TestRunPoints(model) == 0)
        return false;
    for (int n = 0; n < TestRunPoints(model); ++n)
        if (!model.TestRun.Points[n].Captured.isValid())
            return false;
    return true;
}

QStringList TestRunProtocolLines(const Ttolm472 &model)
{
    QStringList lines = {
        CsvRow({QStringLiteral("Заводской номер"), QString::number(model.Config.PlantNumber())}),
        CsvRow({QStringLiteral("№ Н/З"), model.TestRun.NNZNumber}),
        CsvRow({QStringLiteral("№ ППМ"), model.TestRun.PPMNumber}),
        CsvRow({QStringLiteral("Тип программы"), QString::number(model.Identity.ProgramType)}),
        CsvRow({QStringLiteral("№"), QStringLiteral("Рулетка, мм"), QStringLiteral("Уровень, мм"),
                QStringLiteral("d Уровень, мм"), QStringLiteral("Ток, мА"), QStringLiteral("Изм.Ток, мА"),
                QStringLiteral("d Ток, мА"), QStringLiteral("Время")}),
    };
    for (int n = 0; n < TestRunPoints(model); ++n) {
        const TProgonPoint &p = model.TestRun.Points[n];
        lines.append(CsvRow({QString::number(n + 1), CsvNumber(p.Tape, 0), CsvNumber(p.LevelMeasured, 3),
                             CsvNumber(p.LevelError, 3), CsvNumber(p.CurrentExpected, 2),
                             CsvNumber(p.CurrentMeasured, 2), CsvNumber(p.CurrentError, 3),
                             p.Captured.toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"))}));
    }
    return lines;
}

bool WriteTestRunProtocolCsv(const QString &path, const Ttolm472 &model, QString &error)
{
    if (QDir().mkpath(QFileInfo(path).absolutePath()) && WriteTextLines(path, TestRunProtocolLines(model)))
        return true;
    error = QStringLiteral("Не удалось записать протокол прогона ") + QDir::toNativeSeparators(path);
    return false;
}
