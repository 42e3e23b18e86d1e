#pragma once
// The five bad zones in the gauge: twenty float parameters (near border,
// far border, fill speed, drain speed of zones 1 to 5), read or written one
// command each in ascending code order. The first command the gauge does
// not take stops the loop with its message; what was read before it stays
// in the model.

#include <QString>

struct TProcedureContext;

enum class TRomStore;

// "Считать информацию о плохих зонах": only a gauge with the extended
// parameters knows them; for any other nothing is sent. A refresh after
// all twenty. True when all twenty were read.
bool ReadBadZones(const TProcedureContext &context, const QString &hint);
// "Записать информацию о плохих зонах": all twenty whatever the count of
// zones in use, then, unless held back, "Записать в ПЗУ"; a refresh. True
// when all twenty were written.
bool WriteBadZones(const TProcedureContext &context, const QString &hint, TRomStore store);
