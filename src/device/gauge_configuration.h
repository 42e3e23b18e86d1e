#pragma once
// The gauge's configuration as the program holds it: the tank, the
// conversion characteristic, the smoothing and processing algorithms, the
// material and the factory parameters, and the plant number and address
// the next write gives the gauge. The setters keep the gauge's own rules:
// a refused value leaves the old one.

#include <cstdint>
#include <initializer_list>

class TGaugeConfiguration
{
public:
    uint16_t PlantNumber() const { return m_plantNumber; }
    void SetPlantNumber(uint16_t v) { m_plantNumber = v; }
    uint8_t SystemAddressNew() const { return m_systemAddressNew; }
    void SetSystemAddressNew(uint8_t v) { m_systemAddressNew = v; }
    uint16_t PlantNumberNew() const { return m_plantNumberNew; }
    void SetPlantNumberNew(uint16_t v) { m_plantNumberNew = v; }
    double Hmax() const { return m_hmax; }
    void SetHmax(double v);
    double Lmax() const { return m_lmax; }
    void SetLmax(double v); // not above Hmax
    uint16_t Usil() const { return m_usil; }
    void SetUsil(uint16_t v) { m_usil = v; }
    double KKalman() const { return m_kKalman; }
    void SetKKalman(double v);
    double KrPer() const { return m_krPer; }
    void SetKrPer(double v) { m_krPer = v; }
    double SmPer() const { return m_smPer; }
    void SetSmPer(double v) { m_smPer = v; }
    double LevelKalibr() const { return m_levelKalibr; }
    void SetLevelKalibr(double v); // not above Lmax
    uint8_t ModePrediction() const { return m_modePrediction; }
    void SetModePrediction(int v);
    double Speed() const { return m_speed; }
    void SetSpeed(double v) { m_speed = v; }
    double KrFChH() const { return m_krFChH; }
    void SetKrFChH(double v) { m_krFChH = v; }
    double SmFChH() const { return m_smFChH; }
    void SetSmFChH(double v) { m_smFChH = v; }
    uint16_t VariantProcessing() const { return m_variantProcessing; }
    void SetVariantProcessing(uint16_t v) { m_variantProcessing = v; }
    uint16_t CountBadZones() const { return m_countBadZones; }
    void SetCountBadZones(uint16_t v) { m_countBadZones = v; }
    double FreqNes() const { return m_freqNes; }
    void SetFreqNes(double v) { m_freqNes = v; }
    double FreqDev() const { return m_freqDev; }
    void SetFreqDev(double v) { m_freqDev = v; }
    uint16_t FreqBeg() const { return m_freqBeg; }
    void SetFreqBeg(uint16_t v) { m_freqBeg = v; }
    double Radius() const { return m_radius; }
    void SetRadius(double v) { m_radius = v; }
    double ODPM() const { return m_odpm; }
    void SetODPM(double v);
    uint16_t MUP() const { return m_mup; }
    void SetMUP(int v);

    // --- Processing-variant bits ---------------------------------------------
    // Setting a bit clears the bits its algorithm excludes; clearing clears only it.
    bool MedianFilter() const { return bit(0); }
    void SetMedianFilter(bool on);
    bool TimeFilter() const { return bit(1); }
    void SetTimeFilter(bool on);
    bool TrackingWindow() const { return bit(3); }
    void SetTrackingWindow(bool on);
    bool Prediction() const { return bit(4); }
    void SetPrediction(bool on);
    bool MMP() const { return bit(5); }
    void SetMMP(bool on);
    bool DiscreteErrorCorrection() const { return bit(6); }
    void SetDiscreteErrorCorrection(bool on);
    bool AFCCorrection() const { return bit(7); }
    void SetAFCCorrection(bool on);
    bool SignalAveraging() const { return bit(15); }
    void SetSignalAveraging(bool on);

private:
    bool bit(int n) const { return (m_variantProcessing >> n) & 1; }
    void setBit(int n, bool on, std::initializer_list<int> clears = {});

    uint16_t m_plantNumber = 0;
    uint8_t m_systemAddressNew = 0;
    uint16_t m_plantNumberNew = 0;
    double m_hmax = 15000;
    double m_lmax = 15000;
    uint16_t m_usil = 0;
    double m_kKalman = 1;
    double m_krPer = 1;
    double m_smPer = 1;
    double m_levelKalibr = 0;
    uint8_t m_modePrediction = 0;
    double m_speed = 0;
    double m_krFChH = 0;
    double m_smFChH = 0;
    uint16_t m_variantProcessing = 0;
    uint16_t m_countBadZones = 5;
    double m_freqNes = 0;
    double m_freqDev = 0;
    uint16_t m_freqBeg = 0;
    double m_radius = 0;
    double m_odpm = 1;
    uint16_t m_mup = 1;
};
