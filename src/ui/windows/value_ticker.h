#pragma once
// Value-axis labels as the time charts show values (graph_axis.h):
// thousands grouped, the descriptor's decimals.

#include "values/descriptions.h"

#include <qcustomplot.h>

class TValueTicker final : public QCPAxisTicker
{
public:
    explicit TValueTicker(const TDescriptionOfDouble &description) : m_description(description) {}

protected:
    QString getTickLabel(double tick, const QLocale &locale, QChar formatChar, int precision) override;

private:
    TDescriptionOfDouble m_description;
};
