#include "session/operator.h"

int TOperator::InputInteger(const QString &title, const QString &label, int value, int max, int min)
{
    bool confirmed = false;
    return InputIntegerConfirmed(title, label, value, max, min, confirmed);
}
