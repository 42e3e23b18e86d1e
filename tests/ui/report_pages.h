#pragma once
// The printed reports as files: a page written as PDF, its text read back
// with pdftotext, and its first page turned into a picture with pdftoppm for
// the documentation when TOLM_SCREENSHOTS names a folder.

#include "ui/report/chart_report.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

inline QString PdfText(const QString &pdf)
{
    QProcess tool;
    tool.start(QStandardPaths::findExecutable(QStringLiteral("pdftotext")), {pdf, QStringLiteral("-")});
    tool.waitForFinished();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// The picture `name`.png of the first page of `pdf` at 60 dpi when
// screenshots are asked for.
inline void SavePdfPicture(const QString &pdf, const QString &name)
{
    const QString folder = qEnvironmentVariable("TOLM_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    ASSERT_FALSE(tool.isEmpty());
    QDir().mkpath(folder);
    EXPECT_EQ(QProcess::execute(tool, {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("60"),
                                       QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                                       QStringLiteral("1"), QStringLiteral("-singlefile"), pdf,
                                       QDir(folder).filePath(name)}),
              0);
}

// Writes the report to `pdf`, then its picture.
inline void SaveReportPage(const TChartReport &report, const QString &pdf, const QString &name)
{
    QString error;
    ASSERT_TRUE(SaveChartReportPdf(report, pdf, error)) << error.toStdString();
    SavePdfPicture(pdf, name);
}
