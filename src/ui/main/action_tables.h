#pragma once
// The main window's command set as data: which actions exist, what they
// are called, what they ask and send, when they are hidden or locked, and
// where they stand in the menus and the tool bar. The main window turns
// each row into an action of its dispatcher; no action has a hand-written
// handler of its own unless it does more than a row can say. The change,
// read and write actions of the gauge's parameters, and their part of the
// rules, come from the parameter table (device/parameter_table.h).

#include "device/gauge_test_run.h"
#include "session/procedures/procedure_actions.h"

#include <QString>
#include <QStringList>

#include <span>

// An action given by name, caption and hint only (its handler is the main
// window's).
struct TNamedAction {
    const char *Name;
    const char *Caption;
    const char *Hint; // nullptr: the caption
};

// A change of one of the test run's texts through a text dialog titled
// "Введите", without any exchange and without a refresh (the test-run
// window shows them itself). The changes of the gauge's parameters are
// made from the parameter table.
struct TTextChange {
    const char *Name;
    const char *Caption;
    const char *Label;
    QString TGaugeTestRun::*Text;
};

// One exchange, no retry and no message.
struct TSingleRead {
    const char *Name;
    const char *Caption;
    int Code;
};

// The action and caption of one of the gauge's composite commands; its
// hint is the procedure's own.
struct TProcedureActionName {
    TProcedureId Id;
    const char *Name;
    const char *Caption;
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
std::span<const TTextChange> TextChanges();
std::span<const TSingleRead> SingleReads();
std::span<const TProcedureActionName> ProcedureActionNames();

// Actions disabled while polling runs (their Enabled follows "Начать опрос").
QStringList PollingLockedActions();
// Actions that stay enabled while a command runs: the window actions, the
// polling controls and the radix.
QStringList BusyUsableActions();
// Actions shown only in full mode.
QStringList FullModeActions();
// Actions shown only in full mode on a gauge with the extended parameters.
QStringList ExtendedActions();

std::span<const TMenu> MainMenus();
// The tool bars, one row each; a tool bar's title is its objectName.
std::span<const TMenu> MainToolBars();
// The named action's hint, its caption when it has none.
QString HintOf(const TNamedAction &action);
