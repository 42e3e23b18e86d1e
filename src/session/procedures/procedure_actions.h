#pragma once
// The gauge's composite commands as data: identifier, hint and the
// procedure that runs it. The user interface names each identifier with
// its action and caption; the hint is handed to the procedure, which names
// the command with it in the retry progress and in "Не выполнена команда".

#include <QString>

struct TProcedureContext;

enum class TProcedureId {
    WriteToRom,
    InitGauge,
    PredictionMode0,
    PredictionMode1,
    PredictionMode2,
    PredictionModeWrite,
    SignatureRead,
    IdentificationRead,
    SystemAddressWrite,
    PlantNumberWrite,
    BadZonesRead,
    BadZonesWrite,
    TrainingStart,
    CorrectionStart,
    GaugeModeStop,
    AllParametersRead,
    AllParametersWrite,
    ParameterSetSave,
    ParameterSetBackup,
    ParameterSetLoad,
    ParameterSetCompare,
    ServiceBundleSave,
    CalibrationWrite,
    TestRunTemplate,
    TestRunStart,
    TestRunStop,
    Count
};

struct TProcedureAction {
    TProcedureId Id;
    const char *Hint; // UTF-8
    void (*Run)(const TProcedureContext &context, const QString &hint);
};

const TProcedureAction &FindProcedureAction(TProcedureId id);
// Runs the row's procedure with its hint.
void RunProcedureAction(const TProcedureAction &action, const TProcedureContext &context);

// "Сравнить с прибором" with the backup file already chosen (a snapshot of
// the gauge register): the file against the gauge in the comparison table,
// and the differing parameters written into the gauge when the operator
// asks.
void CompareFileWithGauge(const TProcedureContext &context, const QString &path);
