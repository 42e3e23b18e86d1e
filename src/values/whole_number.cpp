#include "values/whole_number.h"

int WholeNumberInLimits(const QString &text, int max, int min)
{
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok);
    if (!ok)
        return min;
    if (number > max)
        return max;
    if (number < min)
        return min;
    return int(number);
}
