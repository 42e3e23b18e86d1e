#pragma once
// The commands that send one command to the gauge and do something around
// it: the store into the gauge's ROM, the read and the write of one
// parameter as the main window's read and write actions run them, the
// single reads, the initialisation of the gauge's parameters, the
// prediction modes and the end of a gauge mode.
//
// `hint` is the action's hint: it names the command in the retry progress
// and in "Не выполнена команда".

#include "device/gauge_answer.h"
#include <QString>

struct TParameter;
struct TProcedureContext;

// Whether a successful parameter write is followed by the store into ROM
// at once, or the caller stores once when all its writes are done.
enum class TRomStore { AfterWrite, HeldBack };

// `code` with retries; after the last failed attempt "Не выполнена команда"
// and the hint. True when the gauge took it.
bool SendCommandReported(const TProcedureContext &context, int code, const QString &hint,
                         TGaugeAnswer *answer = nullptr);

// "Записать в ПЗУ": WriteToPZU with retries, then, success or not, the
// gauge's time to write its memory and a refresh.
void WriteToRom(const TProcedureContext &context, const QString &hint = {});

// A write of one parameter by `code`: with retries; on success a refresh
// and, unless held back, "Записать в ПЗУ"; on failure the message and no
// store. False when the gauge did not take it.
bool WriteParameter(const TProcedureContext &context, int code, const QString &hint,
                    TRomStore store = TRomStore::AfterWrite);

// The main window's read action of a parameter: nothing for an extended
// one on a gauge without the extended set; the read command with retries;
// after a success the display ranges when they follow it, and a refresh.
bool ReadParameter(const TProcedureContext &context, const TParameter &parameter);
// Its write action: the command of the model's present value (a program
// type the gauge has no command for is reported as not done, nothing is
// sent), as WriteParameter. The bad zones go as their composite write.
bool WriteParameterValue(const TProcedureContext &context, const TParameter &parameter,
                         TRomStore store = TRomStore::AfterWrite);

// A single read of the main window: one exchange, no retry, no message
// (what happened shows in the communication window and the gauge's
// status), then a refresh.
void ReadOnce(const TProcedureContext &context, int code);

// "Инициализация параметров прибора": Init with retries, a refresh either way.
void InitGauge(const TProcedureContext &context, const QString &hint);

// ModePrediction0..2 for mode 0..2 with retries; no refresh, no store.
void SetPredictionMode(const TProcedureContext &context, int mode, const QString &hint);

// "Завершить режим": InitReadStop with retries, ending training,
// correction or an array read in the gauge; no refresh.
void StopGaugeMode(const TProcedureContext &context, const QString &hint);
