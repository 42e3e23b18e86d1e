#pragma once
// The commands of the calibration and test-run windows that talk to the
// gauge. Each stops periodic polling first, so the bench's values do not
// change under the writes, and starts it again only if it ran before.

#include <QString>

struct TProcedureContext;

// "Записать Базу и Крутизну": KrPer, then SmPer, each written and stored
// into ПЗУ as their own write actions do.
void WriteCalibrationCoefficients(const TProcedureContext &context);

// "Создать шаблон прогона": asks "Создать шаблон прогона?"; on Yes the
// five-point template. A gauge without a loop scale (Lmax 0) keeps its
// table and the operator is told why. True when the template was made.
bool CreateTestRunTemplate(const TProcedureContext &context);

// "Прогон начать": the template (with its question), then the bench's tank:
// Hmax and Lmax 15000 written, one store into ПЗУ.
void StartTestRun(const TProcedureContext &context);
// "Прогон остановить": Hmax and Lmax back to 30000, one store.
void StopTestRun(const TProcedureContext &context);
