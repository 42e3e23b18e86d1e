#pragma once
// The main window's commands that send one command to the gauge and do
// something around it: the store into the gauge's ROM, the initialisation
// of its parameters, the prediction modes, the end of a gauge mode, and the
// write of one parameter as every write action of the main window runs it.
//
// `hint` is the action's hint: it names the command in the retry progress
// and in "Не выполнена команда".

#include <QString>

struct TProcedureContext;

// `code` with retries; after the last failed attempt "Не выполнена команда"
// and the hint. True when the gauge took it.
bool SendCommandReported(const TProcedureContext &context, int code, const QString &hint);

// "Записать в ПЗУ": nothing while all parameters are being written (they
// are stored once at the end); otherwise WriteToPZU with retries, then,
// success or not, the gauge's time to write its memory and a refresh.
void WriteToRom(const TProcedureContext &context, const QString &hint);

// A write of one parameter: `code` with retries; on success a refresh and
// "Записать в ПЗУ" (skipped while all parameters are being written), on
// failure the message and no store. False when the gauge did not take it.
bool WriteParameter(const TProcedureContext &context, int code, const QString &hint);

// "Инициализация параметров прибора": Init with retries, a refresh either way.
void InitGauge(const TProcedureContext &context, const QString &hint);

// ModePrediction0..2 for mode 0..2 with retries; no refresh, no store.
void SetPredictionMode(const TProcedureContext &context, int mode, const QString &hint);
// "Записать режим предсказания": the command of the model's ModePrediction,
// as a parameter write.
void WritePredictionMode(const TProcedureContext &context, const QString &hint);

// "Завершить режим": InitReadStop with retries, ending training,
// correction or an array read in the gauge; no refresh.
void StopGaugeMode(const TProcedureContext &context, const QString &hint);
