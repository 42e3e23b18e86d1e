#pragma once
// The gauge's parameters by their property names, for reading from and
// writing to the gauge by name: the command that reads a parameter, the
// command that writes it, how its value is taken from and put into the
// model, and the hints that name the read and the write to the operator
// (in the retry progress and in "Не выполнена команда").
//
// The main window's read and write actions and the command-line tool use
// the same rows, so a parameter is read and written the same way wherever
// the operator asks for it.
//
// A parameter without a write command (SystemAddress, PlantNumber) is only
// set in the model; one without a read command (LevelKalibr, ModePrediction,
// the new address and plant number) cannot be read back from the gauge.

#include <QString>
#include <span>

class Ttolm472;

enum class TParameterType : unsigned char {
    Float, // IEEE single on the line
    Word,  // 16-bit unsigned
    Byte,  // 8-bit unsigned
};

struct TParameter {
    const char *Name; // property name of the model ("Hmax", "BadZoneFar3", ...)
    TParameterType Type;
    int ReadCode;  // command code that reads it; -1: none
    int WriteCode; // command code that writes it; -1: none
    // For a parameter written by one of several commands, the command of the
    // model's present value (-1: none); nullptr otherwise.
    int (*WriteCodeOf)(const Ttolm472 &model);
    double (*Get)(const Ttolm472 &model);
    // Through the model's setter, whose rules may refuse the value; an
    // integer parameter also refuses a value that is not a whole number of
    // its range. A refused value leaves the old one.
    void (*Set)(Ttolm472 &model, double value);
    const char *ReadHint;  // UTF-8; empty when there is no read command
    const char *WriteHint; // UTF-8; empty when there is no write command
    // A successful write is followed by the store into the gauge's ПЗУ
    // ("Записать в ПЗУ"), as the main window's write actions do.
    bool StoresToRom;
    // The main window offers the read and write only for gauges with the
    // extended parameter set (software version above 1).
    bool Extended;
};

// Every row, in the order of the parameters window.
std::span<const TParameter> ParameterTable();
// The row of a property name (case-sensitive, as the model's names), or
// nullptr.
const TParameter *FindParameter(const QString &name);
// The command that writes the parameter's present value in the model: the
// row's WriteCode, or for ModePrediction and ProgramType the command of the
// value (ModePrediction0..2, ProgramTypeWrite11/12); -1 when there is none
// (the gauge knows no command for a program type other than 11 or 12).
int WriteCommand(const TParameter &parameter, const Ttolm472 &model);
bool CanRead(const TParameter &parameter);
bool CanWrite(const TParameter &parameter);
