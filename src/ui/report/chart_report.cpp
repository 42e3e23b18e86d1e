#include "ui/report/chart_report.h"

#include "app/replacing_file.h"
#include "ui/dialogs/operator.h"
#include "values/clock.h"

#include <qcustomplot.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

namespace {

// The chart is laid out as on a screen of this resolution (fonts, ticks,
// paddings, 1-pixel pens) and then scaled onto the page, so a printed chart
// looks like the one in the window, only sharper.
constexpr double ChartDpi = 96;

const QString TimeFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");

// A point-sized font resolves against the printer's resolution, before the
// scaling of the chart, and would come out that many times too large; in
// pixels it scales with the rest of the chart.
QFont inPixels(QFont font)
{
    if (font.pointSizeF() > 0)
        font.setPixelSize(qMax(1, qRound(font.pointSizeF() * ChartDpi / 72)));
    return font;
}

void fontsInPixels(QCustomPlot &chart)
{
    for (QCPAxisRect *rect : chart.axisRects()) {
        for (QCPAxis *axis : rect->axes()) {
            axis->setLabelFont(inPixels(axis->labelFont()));
            axis->setTickLabelFont(inPixels(axis->tickLabelFont()));
        }
    }
    if (chart.legend) {
        chart.legend->setFont(inPixels(chart.legend->font()));
        for (int i = 0; i < chart.legend->itemCount(); ++i)
            chart.legend->item(i)->setFont(inPixels(chart.legend->item(i)->font()));
    }
    for (QCPLayoutElement *element : chart.plotLayout()->elements(true))
        if (auto *text = qobject_cast<QCPTextElement *>(element))
            text->setFont(inPixels(text->font()));
    for (int i = 0; i < chart.itemCount(); ++i)
        if (auto *text = qobject_cast<QCPItemText *>(chart.item(i)))
            text->setFont(inPixels(text->font()));
}

void paintChart(QCPPainter &painter, const QRect &area, const TChartReport &report)
{
    if (!report.FillChart || area.width() <= 0 || area.height() <= 0)
        return;
    QCustomPlot chart; // never shown: only its vector output is used
    report.FillChart(chart);
    fontsInPixels(chart);
    const double scaleX = painter.device()->logicalDpiX() / ChartDpi;
    const double scaleY = painter.device()->logicalDpiY() / ChartDpi;
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(scaleX, scaleY);
    painter.setClipRect(QRectF(0, 0, area.width() / scaleX, area.height() / scaleY));
    chart.toPainter(&painter, qRound(area.width() / scaleX), qRound(area.height() / scaleY));
    painter.restore();
}

QFont pageFont(double points, bool bold = false)
{
    QFont font = QApplication::font();
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

// Draws text across the page from y down; the y below it.
int textLine(QPainter &painter, const QRect &page, int y, const QString &text, const QFont &font,
             Qt::Alignment alignment)
{
    painter.setFont(font);
    const int flags = int(alignment) | Qt::TextWordWrap;
    const QRect box = painter.boundingRect(QRect(page.left(), y, page.width(), page.height()), flags, text);
    painter.drawText(QRect(page.left(), y, page.width(), box.height()), flags, text);
    return y + box.height();
}

// The fields in two columns, filled down the left one first; the y below.
int fieldLines(QPainter &painter, const QRect &page, int y, const QList<TReportField> &fields, const QFont &font)
{
    const int rows = (fields.size() + 1) / 2;
    int bottom = y;
    for (int column = 0; column < 2; ++column) {
        const QRect half(page.left() + column * page.width() / 2, page.top(), page.width() / 2, page.height());
        int line = y;
        for (int row = 0; row < rows && column * rows + row < fields.size(); ++row) {
            const TReportField &field = fields[column * rows + row];
            line = textLine(painter, half, line, field.Name + QStringLiteral(": ") + field.Value, font,
                            Qt::AlignLeft);
        }
        bottom = qMax(bottom, line);
    }
    return bottom;
}

int tableRowHeight(QPainter &painter, const QFont &font)
{
    painter.setFont(font);
    return painter.fontMetrics().height() * 3 / 2;
}

// The caption and the header and cell rows; 0 for no table.
int tableHeight(QPainter &painter, const TReportTable &table, const QFont &font)
{
    if (table.Headers.isEmpty())
        return 0;
    const int captionRows = table.Caption.isEmpty() ? 0 : 1;
    return tableRowHeight(painter, font) * int(table.Rows.size() + 1 + captionRows);
}

// Ruled cells of equal width, the headers bold and centred, the numbers
// right-aligned.
void paintTable(QPainter &painter, const QRect &area, const TReportTable &table, const QFont &font)
{
    if (table.Headers.isEmpty())
        return;
    const int rowHeight = tableRowHeight(painter, font);
    const int pad = rowHeight / 4;
    QFont bold = font;
    bold.setBold(true);
    painter.setFont(bold);
    int y = area.top();
    if (!table.Caption.isEmpty()) {
        painter.drawText(QRect(area.left(), y, area.width(), rowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         table.Caption);
        y += rowHeight;
    }
    const int columns = int(table.Headers.size());
    const double width = double(area.width()) / columns;
    auto row = [&](const QStringList &cells, const QFont &cellFont, Qt::Alignment alignment) {
        painter.setFont(cellFont);
        for (int c = 0; c < columns; ++c) {
            const QRectF cell(area.left() + c * width, y, width, rowHeight);
            painter.drawRect(cell);
            painter.drawText(cell.adjusted(pad, 0, -pad, 0), int(alignment | Qt::AlignVCenter), cells.value(c));
        }
        y += rowHeight;
    };
    row(table.Headers, bold, Qt::AlignHCenter);
    for (const QStringList &cells : table.Rows)
        row(cells, font, Qt::AlignRight);
}

void paintPage(QCPPainter &painter, const QRect &page, const TChartReport &report, const QDateTime &created)
{
    const int gap = qRound(painter.device()->logicalDpiY() * 4 / 25.4); // 4 mm
    painter.setPen(Qt::black);

    int y = textLine(painter, page, page.top(), report.Title, pageFont(16, true), Qt::AlignHCenter);
    y += gap / 2;
    const QFont text = pageFont(10);
    y = textLine(painter, page, y, QStringLiteral("Отчет создан: ") + created.toString(TimeFormat), text,
                 Qt::AlignLeft);
    if (!report.Period.isEmpty())
        y = textLine(painter, page, y, report.Period, text, Qt::AlignLeft);
    y = fieldLines(painter, page, y, report.Fields, text);
    y += gap;

    // The foot: which gauge the page belongs to (its model only when a
    // gauge has said which it is).
    const QString foot =
        (report.Model.isEmpty() ? QString() : QStringLiteral("Прибор: ") + report.Model + QStringLiteral("    ")) +
        QStringLiteral("Заводской номер: ") + report.PlantNumber;
    painter.setFont(text);
    const int footHeight = painter.boundingRect(page, Qt::AlignLeft, foot).height();
    const int footTop = page.bottom() - footHeight;
    painter.drawLine(QLineF(page.left(), footTop - gap / 4, page.right(), footTop - gap / 4));
    textLine(painter, page, footTop, foot, text, Qt::AlignLeft);

    const int tableTop = footTop - gap - tableHeight(painter, report.Table, text);
    paintTable(painter, QRect(page.left(), tableTop, page.width(), footTop - gap - tableTop), report.Table, text);
    paintChart(painter, QRect(page.left(), y, page.width(), tableTop - gap - y), report);
}

// A4 across, 15 mm margins: a chart is wider than tall.
void setUpPage(QPrinter &printer, const QString &title)
{
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                                      QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter));
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("ТОЛМ47xИ"));
}

bool savePdf(const TChartReport &report, const QString &path, const QPageLayout &layout, const QDateTime &created,
             QString &error)
{
    // A report saved again under its old name replaces the old one only
    // when the new one is whole.
    TReplacingFile file(path);
    bool printed = false;
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file.TemporaryPath());
        setUpPage(printer, report.Title);
        printer.setPageLayout(layout);
        printed = !file.TemporaryPath().isEmpty() && PrintChartReport(printer, report, created);
    }
    if (!printed || !file.Commit(error)) {
        error = QStringLiteral("Не удалось записать отчет в файл ") + QDir::toNativeSeparators(path);
        return false;
    }
    return true;
}

void savePdfAs(const TChartReport &report, const QPageLayout &layout, const QDateTime &created)
{
    const QString path =
        Operator().SaveFileName(QStringLiteral("Документ PDF (*.pdf)"), QStringLiteral("pdf"),
                                QDir::home().filePath(report.Title + QStringLiteral(".pdf")));
    if (path.isEmpty())
        return;
    QString error;
    if (!savePdf(report, path, layout, created, error))
        Operator().Error(error);
}

QPageLayout reportLayout(const QString &title)
{
    QPrinter printer;
    setUpPage(printer, title);
    return printer.pageLayout();
}

} // namespace

bool PrintChartReport(QPrinter &printer, const TChartReport &report, const QDateTime &created)
{
    QCPPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setMode(QCPPainter::pmVectorized);
    painter.setMode(QCPPainter::pmNoCaching);
    const QRect page(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    try {
        paintPage(painter, page, report, created);
    } catch (...) {
        // What was drawn stays on the page.
    }
    painter.end();
    return true;
}

bool SaveChartReportPdf(const TChartReport &report, const QString &path, QString &error)
{
    return savePdf(report, path, reportLayout(report.Title), Clock().Now(), error);
}

void SaveChartReportPdfAs(const TChartReport &report)
{
    savePdfAs(report, reportLayout(report.Title), Clock().Now());
}

void ShowChartReport(QWidget *parent, const TChartReport &report)
{
    // The page keeps the time it was made at, however often the preview
    // repaints it.
    const QDateTime created = Clock().Now();
    QPrinter printer(QPrinter::HighResolution);
    setUpPage(printer, report.Title);
    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(report.Title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                     [&](QPrinter *target) { PrintChartReport(*target, report, created); });
    if (auto *bar = dialog.findChild<QToolBar *>()) {
        bar->addSeparator();
        QAction *save = bar->addAction(QStringLiteral("Сохранить в PDF"));
        save->setObjectName(QStringLiteral("actSavePdf"));
        // In the orientation and margins chosen in the preview.
        QObject::connect(save, &QAction::triggered,
                         [&] { savePdfAs(report, printer.pageLayout(), created); });
    }
    dialog.exec();
}
