#include "ui/windows/form_signal.h"

#include "device/tolm472.h"
#include "values/descriptions.h"
#include "values/float_format.h"

TFormSignal::TFormSignal(const Ttolm472 &model, QWidget *parent)
    : TArrayChartWindow(openWindow<TFormSignal>(), QStringLiteral("FormSignal"), QStringLiteral("Сигнал"), model,
                        {TGaugeArrays::SignalSize, 50, 20}, parent)
{
    RestorePosition();
    FillSignal();
}

void TFormSignal::FillSignal()
{
    QList<QPointF> points;
    points.reserve(TGaugeArrays::SignalSize);
    for (int i = 0; i < TGaugeArrays::SignalSize; ++i)
        points.append(QPointF(i, m_model.Arrays.Signal[size_t(i)]));
    SetPoints(std::move(points));
}

QString TFormSignal::ReadoutText(double x, double y) const
{
    return QStringLiteral("Сигнал[") + FloatToStrF(x, TDescriptionOfDouble::ffNumber, 9, 0) +
           QStringLiteral("] = ") + FloatToStrF(y, TDescriptionOfDouble::ffNumber, 9, 0);
}
