#pragma once
// Parameter sets: the configuration of each gauge kept on disk, one INI
// file per gauge and day, "PN" + plant number + "-" + yyyymmdd + ".ini", in
// a folder per gauge model below the program's folder ("471", "472"; "47x"
// for a gauge whose type is not known). Neither procedure talks to the
// gauge: the values reach it through the write commands.
//
// The file holds the section named after the model's component name with
// its address, plant number, Н/З number, tank height, maximum level,
// smoothing and conversion slope and offset, and five sections
// <name>CurrentOutput1..5 with the test-run table. Doubles are written with
// the locale's decimal separator, as the workstations write them.
//
// Both work on the model and ask the operator: user-interface thread.

#include <QDate>
#include <QString>

#include <cstdint>

class TOperator;
class Ttolm472;
struct TConfiguration;

// "471", "472" or, for any other type, "47x".
QString ParameterSetFolderName(int programType);
// That folder below the program's folder, with its trailing separator, as
// the operator sees it.
QString ParameterSetFolder(const QString &programFolder, int programType);
// "PN00123-20261208.ini" for plant number 123 on 8 December 2026.
// "PN00123": the plant number as the program's file names carry it.
QString PlantNumberTag(uint16_t plantNumber);
QString ParameterSetFileName(uint16_t plantNumber, const QDate &day);

// "Сохранить параметры ": writes the model's values into today's file of
// its gauge, after the questions about a missing plant number, an unknown
// gauge type and an existing file. Keys and sections of an existing file
// that the program does not write stay. False when nothing was written
// (an answer No, or a folder or file that could not be written, which the
// operator is told). With `backup`, the gauge's whole configuration goes
// into its own section besides.
bool SaveParameterSet(const Ttolm472 &model, TOperator &op, const QString &programFolder,
                      const TConfiguration *backup = nullptr);
// The sections of a parameter set (and the backup's, when given) written
// into the file at `path`, keeping what else it holds; false with `error`
// when the file could not be written.
bool WriteParameterSetFile(const Ttolm472 &model, const QString &path, const TConfiguration *backup,
                           QString &error);

// "Загрузить параметры": a file the operator chooses, read into the model
// through its setters (so the loaded Hmax is in force when Lmax is
// checked); a missing key, or one that does not parse, gives its default.
// Nothing happens for a gauge whose type is not known, or when the dialog
// is cancelled; a file that cannot be read changes nothing and is reported.
// True when a file was loaded.
bool LoadParameterSet(Ttolm472 &model, TOperator &op, const QString &programFolder);
