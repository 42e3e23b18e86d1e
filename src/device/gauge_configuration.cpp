#include "device/gauge_configuration.h"

void TGaugeConfiguration::SetHmax(double v)
{
    if (v != m_hmax && v >= 0)
        m_hmax = v;
}

void TGaugeConfiguration::SetLmax(double v)
{
    if (v != m_lmax && v >= 0 && v <= m_hmax)
        m_lmax = v;
}

void TGaugeConfiguration::SetKKalman(double v)
{
    if (v > 0 && v <= 1)
        m_kKalman = v;
}

void TGaugeConfiguration::SetLevelKalibr(double v)
{
    if (v >= 0 && v <= m_lmax)
        m_levelKalibr = v;
}

void TGaugeConfiguration::SetModePrediction(int v)
{
    if (v >= 0 && v <= 2)
        m_modePrediction = uint8_t(v);
}

void TGaugeConfiguration::SetODPM(double v)
{
    if (v != m_odpm && v >= 1 && v <= 100)
        m_odpm = v;
}

void TGaugeConfiguration::SetMUP(int v)
{
    if (v != m_mup && v >= 1 && v <= 50)
        m_mup = uint16_t(v);
}

// --- Processing-variant bits -------------------------------------------------
// The gauge runs one tracking algorithm at a time; the time filter does not
// combine with prediction.

void TGaugeConfiguration::setBit(int n, bool on, std::initializer_list<int> clears)
{
    uint16_t v = m_variantProcessing;
    if (on) {
        v |= uint16_t(1u << n);
        for (int c : clears)
            v &= uint16_t(~(1u << c));
    } else {
        v &= uint16_t(~(1u << n));
    }
    m_variantProcessing = v;
}

void TGaugeConfiguration::SetMedianFilter(bool on) { setBit(0, on); }
void TGaugeConfiguration::SetTimeFilter(bool on) { setBit(1, on, {4}); }
void TGaugeConfiguration::SetTrackingWindow(bool on) { setBit(3, on, {4, 5}); }
void TGaugeConfiguration::SetPrediction(bool on) { setBit(4, on, {1, 3, 5}); }
void TGaugeConfiguration::SetMMP(bool on) { setBit(5, on, {4, 3}); }
void TGaugeConfiguration::SetDiscreteErrorCorrection(bool on) { setBit(6, on); }
void TGaugeConfiguration::SetAFCCorrection(bool on) { setBit(7, on); }
void TGaugeConfiguration::SetSignalAveraging(bool on) { setBit(15, on); }
