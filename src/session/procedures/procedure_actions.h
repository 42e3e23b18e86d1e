#pragma once
// The main window's composite commands as data: action name, caption, hint
// and the procedure that runs it. The main window makes one action of each
// row and runs its procedure on the procedure runner; the hint is handed to
// the procedure, which names the command with it in the retry progress and
// in "Не выполнена команда".

#include <QString>

#include <span>

struct TProcedureContext;

struct TProcedureAction {
    const char *Name;    // objectName of the action, "actWriteToPZU"
    const char *Caption; // UTF-8
    const char *Hint;    // UTF-8
    void (*Run)(const TProcedureContext &context, const QString &hint);
};

std::span<const TProcedureAction> ProcedureActions();
// The row of an action name, or nullptr.
const TProcedureAction *FindProcedureAction(const QString &name);
// Runs the row's procedure with its hint.
void RunProcedureAction(const TProcedureAction &action, const TProcedureContext &context);

// "Сравнить с прибором" with the backup file already chosen (a snapshot of
// the gauge register): the file against the gauge in the comparison table,
// and the differing parameters written into the gauge when the operator
// asks.
void CompareFileWithGauge(const TProcedureContext &context, const QString &path);
