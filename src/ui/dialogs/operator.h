#pragma once
// The operator in use in the program: the real dialogs (TWidgetOperator)
// until a test installs one that answers from a script.
//
// Called in the user-interface thread only.

#include "session/operator.h"

// The operator in use: the real dialogs until another is installed.
TOperator &Operator();
// Installs an operator (not owned; it must outlive its use); nullptr puts
// the real dialogs back.
void SetOperator(TOperator *op);

// The title of the dialogs that ask the operator for one value.
inline const QString InputTitle = QStringLiteral("Введите");

// Position of the progress bar, 0..100, at step of total: step * 100 / total
// rounded to the nearest whole number, a half to the even one (3 of 16 is
// 19, 1 of 8 is 12); steps beyond the total stay at 100. -1 when total is
// not positive (the bar does not move).
int ProgressPercent(int step, int total);
