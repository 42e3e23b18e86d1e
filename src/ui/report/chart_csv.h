#pragma once
// "Сохранить данные (CSV)": the points a chart shows, for a spreadsheet.
//
// The file is for the engineer's Excel on a Russian Windows workstation
// (values/csv_cells.h): Windows-1251 with CR LF as every text file of this
// program, so it opens by a double click without an import dialog (a UTF-8
// file would need a byte-order mark, which older Excel shows as text), ";"
// between cells and a decimal comma, so the cells are numbers.
//
// Each visible series gives two columns, its key and its value, headed by
// the key axis's label (or "X") and the series' name (or "Y"); only the
// points inside the key axis's present range are written (what is on
// screen). A date-time key axis writes its keys as "dd.MM.yyyy hh:mm:ss".

#include <QString>
#include <QStringList>

class QCustomPlot;
class TSeries;

// Two columns of the file: a series' keys and values, with their heads.
struct TCsvColumns {
    QString KeyTitle;
    QString ValueTitle;
    QStringList Keys;
    QStringList Values;
};

// The head and the rows of column pairs side by side; a shorter pair
// leaves its cells empty below its end.
QStringList CsvColumnLines(const QList<TCsvColumns> &pairs);
// Every point of a series stored between two archive stamps (not a chart's
// reduction), headed "Время" and valueTitle, its time to the millisecond.
TCsvColumns SeriesCsvColumns(const QString &valueTitle, const TSeries &series, double fromStamp, double toStamp);
QStringList ChartCsvLines(const QCustomPlot &chart);
// Any such lines: false with a one-line Russian text in `error` when they
// cannot be written; or asked for a file name (suggested: `name`.csv), a
// failure told to the operator, nothing when the operator cancels.
bool SaveCsv(const QStringList &lines, const QString &path, QString &error);
void SaveCsvAs(const QStringList &lines, const QString &name);
// False with a one-line Russian text in `error` when it cannot be written.
bool SaveChartCsv(const QCustomPlot &chart, const QString &path, QString &error);
// Asks for a file name (suggested: `name`.csv) and writes the file; a failure is told to the
// operator. Nothing happens when the operator cancels.
void SaveChartCsvAs(const QCustomPlot &chart, const QString &name);
