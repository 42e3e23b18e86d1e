#pragma once
// The gauges of one line the operator keeps, by address: found by a scan
// or added by hand, kept in "INI/Gauges.ini" (Windows-1251, CR LF), one
// section "GaugeN" per gauge of address N. A gauge marked polled is asked in
// every polling pass beside the current gauge.

#include <QString>

#include <cstdint>
#include <vector>

struct TLineGauge {
    int Address = 0;
    uint16_t PlantNumber = 0; // 0: not known (no signature read)
    int ProgramType = -1;     // -1: not known
    int HardVersion = 0;
    int SoftVersion = 0;
    bool Polled = false;
};

// The folder a gauge's readings are archived in while several gauges are
// polled: "PN" and the five digits of its plant number, "A" and its address
// when the plant number is not known.
QString GaugeFolderName(int address, uint16_t plantNumber);
// Whether `name` is such a folder's name (and nothing that leads elsewhere).
bool IsGaugeFolderName(const QString &name);
// The archive of that folder below the archive root `dbPath`.
QString GaugeArchivePath(const QString &dbPath, const QString &folderName);

// "INI/Gauges.ini" below the program folder.
QString LineGaugesFileName(const QString &programFolder);
// In address order, one per address; sections that name no address of
// 1..255 are left out. A missing file gives none.
std::vector<TLineGauge> LoadLineGauges(const QString &programFolder);
// Replaces every gauge section of the file, keeping whatever else it holds.
// False when the file could not be written; what it held stays.
bool SaveLineGauges(const QString &programFolder, const std::vector<TLineGauge> &gauges);

// Puts `gauge` into `gauges` in address order, replacing the gauge at its
// address (its polled mark stays as it was).
void MergeLineGauge(std::vector<TLineGauge> &gauges, const TLineGauge &gauge);
