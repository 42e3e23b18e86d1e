#pragma once
// One description per gauge parameter, by its property name: how it goes
// over the line (its type, the commands that read and write it, hence its
// number among the gauge's word or float parameters), how its value is
// taken from and put into the model and the range it may take, the hints of
// its commands, whether it has commands of its own, when they are shown or
// locked, whether it is a step of "Считать все параметры" / "Записать все
// параметры " and whether it is kept in the parameter set on disk. The
// windows' captions, dialogs and views of each parameter are the user
// interface's, found by the parameter's name.
//
// Everything that names a parameter (the request builder and the parser,
// the menus' commands and rules, the composite commands, the parameter
// sets, the command-line tool) reads it from here, so a
// parameter is read, written and shown the same way wherever it is asked
// for, and a new one is one row.
//
// A parameter without a write command (SystemAddress, PlantNumber) is only
// set in the model; one without a read command (LevelKalibr, ModePrediction,
// the new address and plant number) cannot be read back from the gauge.

#include <QString>

#include <optional>
#include <span>

class Ttolm472;

enum class TParameterType : unsigned char {
    Float, // IEEE single on the line
    Word,  // 16-bit unsigned
    Byte,  // 8-bit unsigned
};

// When a parameter's actions are shown, or its step of the all-parameters
// commands runs.
enum class TParameterCondition : unsigned char {
    Never,            // not a step of the all-parameters commands
    Always,
    Extended,         // the gauge has the extended parameters (software version above 1)
    FullMode,         // the factory command set is shown
    FullModeExtended, // both
};

struct TParameter {
    // --- On the line and in the model ---------------------------------------
    const char *Name = nullptr; // property name of the model ("Hmax", "BadZoneFar3", ...)
    TParameterType Type = TParameterType::Float;
    int ReadCode = -1;  // command code that reads it; -1: none
    int WriteCode = -1; // command code that writes it; -1: none
    // For a parameter written by one of several commands, the command of the
    // model's present value (-1: none); nullptr otherwise.
    int (*WriteCodeOf)(const Ttolm472 &model) = nullptr;
    double (*Get)(const Ttolm472 &model) = nullptr;
    // Through the model's setter, whose rules may refuse the value; an
    // integer parameter also refuses a value that is not a whole number of
    // its range. A refused value leaves the old one.
    void (*Set)(Ttolm472 &model, double value) = nullptr;
    // The range a value from the operator or a file must lie in (Min >= Max:
    // only the type's own range).
    double Min = 0;
    double Max = 0;

    // --- Commands with retries -------------------------------------------------
    const char *ReadHint = "";  // UTF-8; empty when there is no read command
    const char *WriteHint = ""; // UTF-8; empty when there is no write command
    // A successful write is followed by the store into the gauge's ПЗУ
    // ("Записать в ПЗУ"), as the main window's write actions do.
    bool StoresToRom = false;
    // The read and the write do nothing unless the gauge has the extended
    // parameter set.
    bool Extended = false;

    // --- Commands of the menus ----------------------------------------------------
    // Parameters read and written together by one composite command (the
    // bad zones) name it here: the group's command is theirs, none of their
    // own.
    const char *Group = nullptr;
    bool OwnRead = false;  // it has a read command of its own on the menus
    bool OwnWrite = false; // it has a write command of its own on the menus
    // The display ranges of level, free space and distance follow the value:
    // applied after a change and after a successful read.
    bool RangesFollow = false;
    TParameterCondition Shown = TParameterCondition::Always; // when its actions are visible
    bool LockedWhilePolling = false;                        // its actions too
    // When it is a step of "Считать все параметры" and "Записать все
    // параметры " (in the order of the table; after the signature read).
    TParameterCondition AllParameters = TParameterCondition::Never;

    // --- Elsewhere ---------------------------------------------------------------
    // Kept in the parameter set on disk under its name, with this default
    // for a missing key; nullopt: not kept.
    std::optional<double> SetDefault;
};

// Every row: the model's identity first, then the all-parameters steps in
// their order, then the rest.
std::span<const TParameter> ParameterTable();
// The row of a property name (case-sensitive, as the model's names), or
// nullptr.
const TParameter *FindParameter(const QString &name);
// The number the gauge gives the parameter among its float, word or byte
// values (the byte after the count in its read and write requests), taken
// from its commands; -1 for a parameter the gauge does not number.
int ParameterNumber(const TParameter &parameter);
// The row of the gauge's float, word or byte value `number`, or nullptr.
const TParameter *ParameterByNumber(TParameterType type, int number);
// The command that writes the parameter's present value in the model: the
// row's WriteCode, or for ModePrediction and ProgramType the command of the
// value (ModePrediction0..2, ProgramTypeWrite11/12); -1 when there is none
// (the gauge knows no command for a program type other than 11 or 12).
int WriteCommand(const TParameter &parameter, const Ttolm472 &model);
bool CanRead(const TParameter &parameter);
bool CanWrite(const TParameter &parameter);
// The model takes a value for it (false for what only the gauge reports:
// the versions, the gain, the beat frequency).
bool CanSet(const TParameter &parameter);
// The name the parameter's read (write) command goes by: its group's for
// the zones of a group (one command reads or writes them all), its own when
// it has a command with a caption; empty when it has none.
QString ReadCommandName(const TParameter &parameter);
QString WriteCommandName(const TParameter &parameter);
// Whether a condition holds for this model in this mode.
bool ConditionHolds(TParameterCondition condition, const Ttolm472 &model, bool fullMode);
