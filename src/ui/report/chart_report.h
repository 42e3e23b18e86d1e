#pragma once
// The printed page of every chart of the program (time graph, multi-graph,
// spectrum, signal): the title, "Отчет создан:" with the date and time the
// report was made, the period line, the chart across the page, and at the
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
#include <QString>

#include <functional>

class QCustomPlot;
class QPrinter;
class QWidget;

struct TChartReport {
    QString Title;
    QString Period;      // may be empty: no line
    QString PlantNumber; // the gauge's plant number as text
    QString Model;       // "ТОЛМ472И"
    // Fills a fresh chart (axes, ranges, series) as the window shows it.
    std::function<void(QCustomPlot &chart)> FillChart;
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
