#pragma once
// The reference spectrum: a spectrum the engineer keeps ("Запомнить как
// эталон") before a repair or an adjustment, drawn under every later one so
// that what changed in the tank or in the gauge shows at a glance.
//
// It is kept as a small text file in the archive's folder of the day it was
// taken, beside that day's capture files, named
// "SpectrumReference_yyyymmdd_hhnnss.txt". Like every text file of the
// program it is Windows-1251 with CR LF and "." as decimal separator, ";"
// between the cells, so it opens in a spreadsheet as well:
//
//     Эталон спектра ТОЛМ472И
//     Записан;09.12.2026 10:15:00
//     Заводской номер;123
//     Крутизна;146.243
//     Точка;Значение
//     1;41.5
//     ...            (512 points, numbered from 1)
//
// At start the newest file under the archive root is the reference in
// force: the latest day folder that holds one, and in it the latest name
// (the names sort by time).

#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>

struct TSpectrumReference {
    static constexpr int Size = 512;
    QDateTime Saved;
    uint16_t PlantNumber = 0;
    double KrPer = 0; // the slope in force when it was taken
    std::array<double, Size> Values{};
};

// The file name of a reference taken at `saved`, below dbPath.
QString SpectrumReferencePath(const QString &dbPath, const QDateTime &saved);

// Writes the reference into its day folder (made when missing); `path`
// gets the file written. False with a one-line Russian text in `error`.
bool SaveSpectrumReference(const QString &dbPath, const TSpectrumReference &reference, QString &path,
                           QString &error);

// Reads a reference file. A file that is not one, is cut short or holds a
// number that is none is refused as a whole: false with a one-line Russian
// text in `error`, `reference` unchanged.
bool LoadSpectrumReference(const QString &path, TSpectrumReference &reference, QString &error);

// The newest reference file below dbPath; empty when there is none.
QString NewestSpectrumReference(const QString &dbPath);
