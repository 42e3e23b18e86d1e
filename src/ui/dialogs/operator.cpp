#include "ui/dialogs/operator.h"

#include "ui/dialogs/widget_operator.h"

#include <algorithm>
#include <cmath>

namespace {

TOperator *installed = nullptr;

} // namespace

TOperator &Operator()
{
    if (installed)
        return *installed;
    // Made on first use and never freed: it may hold windows, which must
    // not outlive the application object that a static destructor would
    // run after.
    static TWidgetOperator *const dialogs = new TWidgetOperator;
    return *dialogs;
}

void SetOperator(TOperator *op)
{
    installed = op;
}

int ProgressPercent(int step, int total)
{
    if (total <= 0)
        return -1;
    return int(std::clamp(std::nearbyint(double(step) * 100.0 / total), 0.0, 100.0));
}
