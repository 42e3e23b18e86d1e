#pragma once
// The gauge's records for the register, made from the model in the thread
// that owns it (the user-interface thread; a procedure on the worker asks
// through Sender.FromModel), and written into the register of the program
// folder. Each event is recorded in one place: the test-run protocol when
// it is written, the calibration write, "Сохранить параметры " (with the
// program's close) and tolm-cli backup, "Записать все параметры ", and the
// service bundle of the program and of tolm-cli.

#include "register/register_record.h"

#include <QByteArray>
#include <QString>

#include <functional>

class TOperator;
class Ttolm472;
struct TConfiguration;
struct TProcedureContext;

// A finished test run: every point with all its columns and its verdict
// (the level within 2 mm, the current error not above +0.026 mA), ППМ and
// Н/З, and the protocol page.
TRegisterRecord TestRunRecord(const Ttolm472 &model, const QString &pdfName, const QByteArray &pdf);
// A calibration write: the coefficients in force before (the reference
// coefficients of the last fit) and written, each write's outcome, the
// calibration points with their errors, and the calibration page.
TRegisterRecord CalibrationRecord(const Ttolm472 &model, bool written, const QByteArray &pdf);
// A configuration snapshot: the parameter-set file at `path` as it holds
// it; `origin` is what made it ("Сохранить параметры ", ...).
TRegisterRecord ConfigurationFileRecord(const Ttolm472 &model, const QString &origin, const QString &path);
// The same for the values the model holds, as a parameter-set file with
// the whole configuration section made from them.
TRegisterRecord ModelConfigurationRecord(const Ttolm472 &model, const QString &origin);
// A service bundle saved: its name and size, not its content.
TRegisterRecord BundleRecord(const Ttolm472 &model, const QString &path);

// The bytes of a parameter-set file of the model's values (with the
// configuration section when `backup` is given), as the file would hold
// them; empty when it could not be made.
QByteArray ParameterSetBytes(const Ttolm472 &model, const TConfiguration *backup);

// Writes the record into the register of `programFolder` (beside its
// archive). A register that refuses it is told to `op` as a warning and
// nothing else changes: the work the record is about is done all the same.
bool RecordInRegister(const QString &programFolder, TRegisterRecord record, TOperator &op);
// The same from a procedure: the record made from the model in its thread.
bool RecordInRegister(const TProcedureContext &context, const std::function<TRegisterRecord(const Ttolm472 &)> &make);
