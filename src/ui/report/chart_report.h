#pragma once
// The printed page of every chart of the program (time graph, multi-graph,
// spectrum, signal, calibration, test run): the title, "Отчет создан:" with
// the date and time the report was made, the period line, the gauge's
// identifiers and coefficients where the page is a record of the gauge, the
// chart across the page, a table of its points where it has one, and at the
// foot the gauge's model and plant number, so a printed page can always be
// put back to the gauge it came from.
//
// The chart is drawn by the window that owns it, through FillChart, into a
// chart made for the page; it is then rendered with QCustomPlot's own vector
// output onto the printer's painter at the printer's resolution, never
// grabbed from the screen. The page is shown in print preview or written
// straight to a PDF file.
//
// User-interface thread only (the chart is a widget, though never shown).

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QCustomPlot;
class QPrinter;
class QWidget;

// "Заводской номер: 1" and the like, in two columns under the period.
struct TReportField {
    QString Name;
    QString Value;
};

// A table under the chart: a caption (may be empty), the column headers,
// the rows of cells as they are to be printed (numbers right-aligned).
struct TReportTable {
    QString Caption;
    QStringList Headers;
    QList<QStringList> Rows;
};

struct TChartReport {
    QString Title;
    QString Period;      // may be empty: no line
    QString PlantNumber; // the gauge's plant number as text
    QString Model;       // "ТОЛМ472И"; empty: the foot names no model
    // Fills a fresh chart (axes, ranges, series) as the window shows it.
    std::function<void(QCustomPlot &chart)> FillChart;
    QList<TReportField> Fields = {}; // may be empty
    TReportTable Table = {};         // no headers: no table
};

// Paints the report as one page on `printer` (which must not be active).
// False when the printer cannot be started (an unwritable PDF path).
bool PrintChartReport(QPrinter &printer, const TChartReport &report, const QDateTime &created);

// Writes the page as a PDF file at `path`; false with a one-line Russian
// text in `error` when it cannot be written.
bool SaveChartReportPdf(const TChartReport &report, const QString &path, QString &error);

// The print preview of the page, modal, with the extra tool-bar entry
// "Сохранить в PDF". Failures while drawing are swallowed: the preview
// then shows what was drawn.
void ShowChartReport(QWidget *parent, const TChartReport &report);

// Asks for a file name and writes the PDF there; a failure is told to the
// operator. Nothing happens when the operator cancels.
void SaveChartReportPdfAs(const TChartReport &report);
