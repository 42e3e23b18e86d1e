#pragma once
// "Записать системный адрес" and "Записать заводской номер": the gauge gets
// a new address or plant number, entered by the operator first.
//
// The gauge takes a new address only together with its own plant number,
// so the address write asks for that number before the new address; then
// it reads the signature, which shows the address the gauge now answers
// on. Both refresh the views whether the gauge took the change or not.

#include <QString>

struct TProcedureContext;

void WriteSystemAddress(const TProcedureContext &context, const QString &hint);
void WritePlantNumber(const TProcedureContext &context, const QString &hint);
