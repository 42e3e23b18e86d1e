#include "ui/windows/value_ticker.h"

#include "ui/windows/graph_axis.h"

QString TValueTicker::getTickLabel(double tick, const QLocale &, QChar, int)
{
    return GraphValueText(tick, m_description);
}
