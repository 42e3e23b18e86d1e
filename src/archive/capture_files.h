#pragma once
// The capture files of the spectrum and signal reads, written into the
// archive's folder of the day beside the value tables, so an engineer finds
// the arrays of a day next to its readings.
//
// Names: prefix ("Spectrum_" or "Signal_"), the date of the write as
// yyyymmdd, "_", the time of day of the capture start as hhnnss, "_", then
// the capture counter as at least four digits, ".txt". The first capture of
// a run (counter 1) also writes counter "0000": a summary of the gauge's
// parameters, so the data files can be told apart later.
//
// Data lines use "." as decimal separator whatever the workstation's
// locale, so spreadsheets and scripts read them alike everywhere. Every file
// is Windows-1251 with CR LF line ends. A failure is returned as false with
// a one-line Russian text; nothing throws.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <span>

struct TCaptureFileSet {
    QString dbPath;      // archive root
    QDateTime now;       // the date of the day folder and of the names
    QDateTime startTime; // its time of day goes into the names
    int counter = 0;     // reads since the capture start; 1 also writes the summary
};

// The texts of the nine values of the summary, in this order: system
// address, plant number, hardware version, software version, H max, L max,
// smoothing coefficient, slope, zero offset.
using TSummaryValues = std::array<QString, 9>;

// "Spectrum_20261208_101500_" and the like.
QString CaptureBaseName(const QString &prefix, const QDate &date, const QTime &startTime);

// The 13 lines of the summary: asterisks, " ТОЛМ472И ", asterisks, nine
// lines of a 32-character label and the value right-aligned in 30
// characters (a longer value is kept whole), asterisks.
QStringList ParameterSummaryLines(const TSummaryValues &values);
bool WriteParameterSummary(const QString &path, const TSummaryValues &values, QString &error);

// The lines of a spectrum data file: the heading with the largest value M
// (at least 0), then, when M is not 0, one line per point: number (5
// characters), value and 20 * log10(value / M) (20 characters each, 5
// decimals). A point of 0 or below has no level in dB; its line ends after
// the value, which spreadsheets read as an empty cell (see the .cpp).
QStringList SpectrumDataLines(std::span<const double> spectrum);
// The lines of a signal data file: plant number, the distance line as
// given, the heading, then one line per sample: number (5), sample (9).
QStringList SignalDataLines(std::span<const int32_t> signal, const QString &plantNumber,
                            const QString &distanceLine);

// Creates the day folder when missing, writes the summary when the counter
// is 1 and appends the data file. `written` gets the paths of the files
// written (also when a later one failed).
bool SaveSpectrumFiles(const TCaptureFileSet &set, const TSummaryValues &summary, std::span<const double> spectrum,
                       QString &error, QStringList *written = nullptr);
bool SaveSignalFiles(const TCaptureFileSet &set, const TSummaryValues &summary, std::span<const int32_t> signal,
                     const QString &plantNumber, const QString &distanceLine, QString &error,
                     QStringList *written = nullptr);
