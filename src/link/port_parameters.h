#pragma once
// One named set of line parameters. The gauge and the current-loop meter may
// need different settings on the same port, so each has its own set, kept in
// its own section of "INI/ComPort.ini", and every exchange applies the set of
// the device it talks to before it sends.

#include "link/port_enums.h"

#include <QString>

class TIniFile;

class TPortParameters
{
public:
    // FileName becomes programFolder + "INI/ComPort.ini".
    explicit TPortParameters(const QString &programFolder = QString());

    QString FileName;
    QString Section = QStringLiteral("Device");
    TBaudRate BaudRate = TBaudRate::br9600;
    TDataBits DataBits = TDataBits::db8;
    TStopBits StopBits = TStopBits::sb1;
    TParity Parity = TParity::None;
    TFlowControl FlowControl = TFlowControl::None;
    int ReadInterval = 50;         // ms: longest pause between two received bytes
    int ReadTotalConstant = 150;   // ms
    int ReadTotalMultiplier = 2;   // ms per byte asked for
    int WriteTotalConstant = 100;  // ms
    int WriteTotalMultiplier = 2;  // ms per byte written

    // Reads the ten keys of Section. A missing key, a text that names no
    // value and a negative time keep the present value. False when no file
    // is given.
    bool Load(const TIniFile *ini);
    // Writes the ten keys into the picture of the file (the caller writes
    // the file back). False when no file is given.
    bool Save(TIniFile *ini) const;
    // Loads from FileName when that file exists; otherwise every value stays.
    void LoadFromFile();

    // Longest wait of a read of maxLength bytes: constant + maxLength x multiplier.
    qint64 ReadTotalTimeout(int maxLength) const;
    qint64 WriteTotalTimeout(int byteCount) const;

    bool operator==(const TPortParameters &) const = default;
};

// programFolder + "INI/ComPort.ini": the port settings file of the program.
QString ComPortSettingsFile(const QString &programFolder);
