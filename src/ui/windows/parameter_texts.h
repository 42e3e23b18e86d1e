#pragma once
// How the operator meets each gauge parameter, by its name: the captions of
// its read and write actions on the main window's menus, the dialog of its
// change action, and its row in the parameters window. What the parameter
// is on the line and in the model is the device's parameter table.

#include <QString>

struct TParameter;
class Ttolm472;

// The input dialog of the main window's change action ("act" + name +
// "Change"), titled "Введите", starting at the model's present value.
enum class TParameterInput : unsigned char {
    None,    // no change action
    Integer, // integer dialog, the parameter's Min..Max
    Double,  // double dialog, the parameter's Min..Max with Decimals
    List,    // one line of INI\ProgramTypes.ini: line 0 is type 11, line 1 type 12
};

struct TParameterChange {
    const char *Caption = nullptr; // the action's caption and hint
    TParameterInput Input = TParameterInput::None;
    const char *Label = nullptr; // the dialog's label
    int Decimals = 0;
    bool NeedsExtended = false; // does nothing unless the gauge has the extended parameters
};

// The group of the parameters window a value is shown in.
enum class TParameterPlace : unsigned char {
    None,
    Modification, // "Общие": "Модификация прибора"
    Tank,         // "Общие": "Параметры емкости"
    Smoothing,    // "Общие": "Сглаживание сигнала"
    Material,     // "Специальные": "Параметры материала"
    TimeFilter,   // "Специальные": the group of the time filter
    MMP,          // "Специальные": the group of the MMP algorithm
    BadZones,     // "Специальные": "Плохие зоны"
    Factory,      // "Заводские": "Параметры заводские"
};

// How the parameters window shows the value: the label is Label, or
// Label + ", " + Unit; an integer, or the locale's fixed-point format with
// thousands separators, Decimals decimals and at most Digits significant
// digits.
struct TParameterView {
    const char *Label = nullptr; // nullptr: not shown there
    const char *Unit = nullptr;
    bool Grouped = false; // false: a plain integer
    int Decimals = 0;
    int Digits = 9;
    // Its group there, its row within the group (from 1), and whether a
    // line parts it from the row above.
    TParameterPlace Place = TParameterPlace::None;
    int Order = 0;
    bool LineBefore = false;
};

struct TParameterTexts {
    const char *Name = nullptr;
    const char *ReadCaption = nullptr;  // nullptr: no read action of its own
    const char *WriteCaption = nullptr; // nullptr: no write action of its own
    TParameterChange Change;
    TParameterView View;
};

// The texts of a parameter; an empty row (no captions, no change, not
// shown) for one the operator meets only through its group or not at all.
const TParameterTexts &ParameterTexts(const TParameter &parameter);
// The label and the value as the parameters window shows them (the value in
// the locale's format).
QString ViewLabel(const TParameter &parameter);
QString ViewText(const TParameter &parameter, const Ttolm472 &model);
