#pragma once
// The check boxes of the gauge's processing algorithms, each showing one
// bit of its processing-variant word. A click sets or clears the bit in the
// model (which clears the bits of the algorithms it excludes), has the main
// window write the word to the gauge and read it back, then shows what the
// gauge now holds. Showing the bits never writes: the boxes react to the
// operator's clicks only, not to their state being set.
//
// The algorithms that exclude each other also lock each other's boxes:
// prediction against the time filter, the tracking window and MMP; the
// tracking window against MMP. The speed row follows the time filter, the
// MMP group's discrete-error box and mode buttons follow MMP.

#include <QList>

#include <array>

class QCheckBox;
class QWidget;
class TMainServices;
class Ttolm472;

enum class TAlgorithmBox {
    MedianFilter,               // bit 0
    TemporalFilter,             // bit 1
    TrackingWindow,             // bit 3
    Prediction,                 // bit 4
    MMP,                        // bit 5
    DiscretErrorMMP,            // bit 6
    DiscretErrorTrackingWindow, // bit 6 as well, display only
    CorrectionACH,              // bit 7
    AveragingSignal,            // bit 15
    Count
};

class TAlgorithmBoxes
{
public:
    TAlgorithmBoxes(Ttolm472 &model, TMainServices &services) : m_model(model), m_services(services) {}

    // The box with its caption and object name, as a child of parent.
    QCheckBox *Make(TAlgorithmBox which, QWidget *parent);
    QCheckBox *Box(TAlgorithmBox which) const { return m_boxes[size_t(which)]; }

    // Every box enabled or not (the tracking window's copy of the
    // discrete-error bit never is).
    void SetEnabled(bool enabled);
    // The boxes checked from the bits, then the locks among them applied
    // over whatever SetEnabled left.
    void Show();

    // Enabled exactly while the time filter, or MMP, is on.
    QList<QWidget *> FollowTemporalFilter;
    QList<QWidget *> FollowMMP;

private:
    void clicked(TAlgorithmBox which, bool checked);
    bool checked(TAlgorithmBox which) const;
    void enable(TAlgorithmBox which, bool enabled) const;

    Ttolm472 &m_model;
    TMainServices &m_services;
    std::array<QCheckBox *, size_t(TAlgorithmBox::Count)> m_boxes{};
};
