#pragma once
// The main window's command set as data: which actions exist, what they
// are called, what they ask and send, when they are hidden or locked, and
// where they stand in the menus and the tool bar. The main window turns
// each row into an action of its dispatcher; no action has a hand-written
// handler of its own unless it does more than a row can say.

#include <QString>

#include <span>

class Ttolm472;

// An action given by name, caption and hint only (its handler is the main
// window's).
struct TNamedAction {
    const char *Name;
    const char *Caption;
    const char *Hint; // nullptr: the caption
};

enum class TInputKind { Integer, Double, List, Text };

// A change of a model value through an input dialog titled "Введите",
// without any exchange. The dialog starts at the model's present value; its
// result goes through the property's setter, which may refuse it.
struct TChangeAction {
    const char *Name;
    const char *Caption;
    TInputKind Kind;
    const char *Label;
    double Min;
    double Max;
    int Decimals;
    // The parameter's name in the parameter table (Integer, Double, List), or
    // the model's text field (Text).
    const char *Property;
    QString Ttolm472::*Text;
    bool Extended;    // does nothing unless the gauge has the extended parameters
    bool ApplyRanges; // the display ranges of level and distance follow the value
    bool Refresh;     // the open windows are refreshed afterwards
};

// One exchange, no retry and no message.
struct TSingleRead {
    const char *Name;
    const char *Caption;
    int Code;
};

// The read and the write of one parameter of the parameter table, each with
// up to five attempts: "act" + Property + "Read" / "Write". Codes, hints and
// the extended flag come from the parameter table.
struct TParameterCommand {
    const char *Property;
    const char *ReadCaption;  // nullptr: no read action
    const char *WriteCaption; // nullptr: no write action
    bool RangesAfterRead;     // a successful read also applies the value ranges
};

// One entry of a menu or a tool bar: an action, or a separator (Name
// nullptr). A caption or hint given here is the item's own (a tool button's
// short text).
struct TMenuEntry {
    const char *Name;
    const char *Caption = nullptr;
    const char *Hint = nullptr;
    bool Hidden = false; // the item is never shown (the action stays usable)
};

struct TMenu {
    const char *Title;
    std::span<const TMenuEntry> Entries;
};

std::span<const TNamedAction> WindowActions();
std::span<const TNamedAction> PollingActions();
std::span<const TChangeAction> ChangeActions();
std::span<const TSingleRead> SingleReads();
std::span<const TParameterCommand> ParameterCommands();

// Actions disabled while polling runs (their Enabled follows "Начать опрос").
std::span<const char *const> PollingLockedActions();
// Actions shown only in full mode.
std::span<const char *const> FullModeActions();
// Actions shown only in full mode on a gauge with the extended parameters.
std::span<const char *const> ExtendedActions();

std::span<const TMenu> MainMenus();
// The tool bars, one row each; a tool bar's title is its objectName.
std::span<const TMenu> MainToolBars();

// "act" + property + "Read" or "Write".
QString ReadActionName(const TParameterCommand &command);
QString WriteActionName(const TParameterCommand &command);
// The named action's hint, its caption when it has none.
QString HintOf(const TNamedAction &action);
