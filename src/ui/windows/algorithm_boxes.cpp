#include "ui/windows/algorithm_boxes.h"

#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "ui/main/main_services.h"
#include "ui/main/parameter_actions.h"

#include <QCheckBox>
#include <QPointer>

#include <functional>

namespace {

struct TBit {
    const char *Name;
    const char *Caption;
    bool (TGaugeConfiguration::*Get)() const;
    void (TGaugeConfiguration::*Set)(bool);
};

// In the order of TAlgorithmBox.
const TBit Bits[] = {
    {"chbMedianFilter", "Медианный фильтр", &TGaugeConfiguration::MedianFilter, &TGaugeConfiguration::SetMedianFilter},
    {"chbTemporalFilter", "Временной фильтр", &TGaugeConfiguration::TimeFilter, &TGaugeConfiguration::SetTimeFilter},
    {"chbTrackingWindow", "Алгоритм \"Следящее окно\"", &TGaugeConfiguration::TrackingWindow,
     &TGaugeConfiguration::SetTrackingWindow},
    {"chbPrediction", "Алгоритм \"Предсказание\"", &TGaugeConfiguration::Prediction,
     &TGaugeConfiguration::SetPrediction},
    {"chbMMP", "Алгоритм \"ММП\"", &TGaugeConfiguration::MMP, &TGaugeConfiguration::SetMMP},
    {"chbDiscretErrorMMP", "Учет дискретной ошибки", &TGaugeConfiguration::DiscreteErrorCorrection,
     &TGaugeConfiguration::SetDiscreteErrorCorrection},
    {"chbDiscretErrorTrackingWindow", "Учет дискретной ошибки", &TGaugeConfiguration::DiscreteErrorCorrection,
     &TGaugeConfiguration::SetDiscreteErrorCorrection},
    {"chbCorrectionACH", "Коррекция АЧХ", &TGaugeConfiguration::AFCCorrection, &TGaugeConfiguration::SetAFCCorrection},
    {"chbAveragingSignal", "Усреднение выборки сигнала", &TGaugeConfiguration::SignalAveraging,
     &TGaugeConfiguration::SetSignalAveraging},
};
static_assert(std::size(Bits) == size_t(TAlgorithmBox::Count));

const TParameter &variantProcessing()
{
    return *FindParameter(QStringLiteral("VariantProcessing"));
}

} // namespace

QCheckBox *TAlgorithmBoxes::Make(TAlgorithmBox which, QWidget *parent)
{
    const TBit &bit = Bits[size_t(which)];
    auto *box = new QCheckBox(QString::fromUtf8(bit.Caption), parent);
    box->setObjectName(QLatin1String(bit.Name));
    // `clicked` comes from the operator only, never from setChecked.
    QObject::connect(box, &QCheckBox::clicked, box, [this, which](bool on) { clicked(which, on); });
    m_boxes[size_t(which)] = box;
    return box;
}

void TAlgorithmBoxes::clicked(TAlgorithmBox which, bool on)
{
    std::invoke(Bits[size_t(which)].Set, m_model.Config, on);
    // The read starts once the write has ended; the boxes then show what
    // the gauge took, unless their window has closed meanwhile.
    QPointer<QCheckBox> box = Box(which);
    m_services.ExecuteInTurn({WriteActionName(variantProcessing()), ReadActionName(variantProcessing())},
                             [this, box] {
                                 if (box)
                                     Show();
                             });
}

bool TAlgorithmBoxes::checked(TAlgorithmBox which) const
{
    return Box(which) && Box(which)->isChecked();
}

void TAlgorithmBoxes::enable(TAlgorithmBox which, bool enabled) const
{
    if (QCheckBox *box = Box(which))
        box->setEnabled(enabled);
}

void TAlgorithmBoxes::SetEnabled(bool enabled)
{
    for (size_t i = 0; i < m_boxes.size(); ++i)
        enable(TAlgorithmBox(i), enabled && TAlgorithmBox(i) != TAlgorithmBox::DiscretErrorTrackingWindow);
}

void TAlgorithmBoxes::Show()
{
    for (size_t i = 0; i < m_boxes.size(); ++i)
        if (m_boxes[i])
            m_boxes[i]->setChecked(std::invoke(Bits[i].Get, m_model.Config));

    using A = TAlgorithmBox;
    const bool temporal = checked(A::TemporalFilter);
    const bool tracking = checked(A::TrackingWindow);
    const bool prediction = checked(A::Prediction);
    const bool mmp = checked(A::MMP);
    enable(A::Prediction, !mmp && !temporal && !tracking);
    enable(A::TemporalFilter, !prediction);
    enable(A::TrackingWindow, !mmp && !prediction);
    enable(A::MMP, !prediction && !tracking);
    enable(A::DiscretErrorMMP, mmp);
    for (QWidget *w : FollowTemporalFilter)
        w->setEnabled(temporal);
    for (QWidget *w : FollowMMP)
        w->setEnabled(mmp);
}
