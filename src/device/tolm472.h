#pragma once
// The program's one picture of the level gauge on the line: configuration
// parameters, latest readings as observable values, the arrays read block by
// block, bad zones, calibration and test-run tables and the exchange status.
//
// Owned by the user-interface thread and written only there: the request
// thread and the procedures make their requests from values they carry
// (MakeRequest is taken here when a command starts) and parse the answers
// where they arrive; the model takes each parsed answer once, in order
// (Apply). BuildRequest and ParseAnswer do both steps on the model at once,
// for tools and tests that talk to the gauge in one thread.

#include "device/bad_zones.h"
#include "device/gauge_answer.h"
#include "device/gauge_arrays.h"
#include "device/gauge_calibration.h"
#include "device/gauge_test_run.h"
#include "protocol/command_codes.h"
#include "values/io_data.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>

// One status entry in DATA\yyyy\mm\dd\BlackBox.txt below `programFolder`
// (none without a folder); from any thread, failures are swallowed.
void LogBlackBoxEntry(const QString &programFolder, uint8_t status);

class Ttolm472
{
public:
    // The model's two operator messages (refused block index, unknown device
    // type) go out through this; the user interface shows them as a warning
    // box captioned "Внимание". Unset: the message is dropped.
    using TMessage = std::function<void(const QString &text)>;

    // programFolder: the folder of the program file (the black-box log lives
    // below it in DATA\yyyy\mm\dd).
    explicit Ttolm472(const QString &programFolder = QString());
    Ttolm472(const Ttolm472 &) = delete;
    Ttolm472 &operator=(const Ttolm472 &) = delete;

    // --- Component identity -------------------------------------------------
    QString Name = QStringLiteral("Tolm472");
    int Tag = 0;
    TDescriptionOfValue Description; // Title/Hint "ТОЛМ472И" after construction
    QString ProgramFolder;
    TMessage OnMessage;

    // --- Published properties (setter rules in the .cpp) ---------------------
    uint8_t SystemAddress() const { return m_systemAddress; }
    void SetSystemAddress(uint8_t v)
    {
        m_systemAddress = v;
        if (OnLinkSettings)
            OnLinkSettings();
    }
    // Told every address and failure threshold set, so the polling asks the
    // gauge where it is and counts its failures as the model does.
    std::function<void()> OnLinkSettings;
    uint8_t SystemAddressNew() const { return m_systemAddressNew; }
    void SetSystemAddressNew(uint8_t v) { m_systemAddressNew = v; }
    uint16_t PlantNumberNew() const { return m_plantNumberNew; }
    void SetPlantNumberNew(uint16_t v) { m_plantNumberNew = v; }
    bool Enabled() const;
    void SetEnabled(bool v);
    uint16_t ErrorMax() const { return m_errorMax; }
    void SetErrorMax(uint16_t v); // a different value also resets ErrorCount
    uint16_t PlantNumber() const { return m_plantNumber; }
    void SetPlantNumber(uint16_t v) { m_plantNumber = v; }
    double Hmax() const { return m_hmax; }
    void SetHmax(double v);
    double Lmax() const { return m_lmax; }
    void SetLmax(double v);
    uint16_t Usil() const { return m_usil; }
    void SetUsil(uint16_t v) { m_usil = v; }
    double KKalman() const { return m_kKalman; }
    void SetKKalman(double v);
    double KrPer() const { return m_krPer; }
    void SetKrPer(double v) { m_krPer = v; }
    double SmPer() const { return m_smPer; }
    void SetSmPer(double v) { m_smPer = v; }
    double LevelKalibr() const { return m_levelKalibr; }
    void SetLevelKalibr(double v);
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
    int32_t CalibrMode() const { return m_calibrMode; }
    void SetCalibrMode(int32_t v); // 2 or 5 loads its preset when it changes
    double FreqNes() const { return m_freqNes; }
    void SetFreqNes(double v) { m_freqNes = v; }
    double FreqDev() const { return m_freqDev; }
    void SetFreqDev(double v) { m_freqDev = v; }
    uint16_t FreqBeg() const { return m_freqBeg; }
    void SetFreqBeg(uint16_t v) { m_freqBeg = v; }
    double Radius() const { return m_radius; }
    void SetRadius(double v) { m_radius = v; }
    int32_t ProgonMode() const { return m_progonMode; }
    void SetProgonMode(int32_t v); // 2 or 5 loads its preset when it changes
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

    // --- Further state ---------------------------------------------------------
    uint8_t HardVersion = 0;
    uint8_t SoftVersion = 0;
    uint8_t IdHardVersion = 0;
    uint8_t SoftVersionHost = 0;
    uint8_t SoftVersionCOS = 0;
    uint16_t CRC16Host = 0;
    uint16_t CRC16COS = 0;
    uint8_t ProgramType = 11; // 11 "ТОЛМ471И", 12 "ТОЛМ472И"
    uint16_t ErrorCount = 0;
    int32_t LastErrorCode = 0;
    QString LastErrorText = QStringLiteral("Норма");

    // The context of the last request BuildRequest built, which ParseAnswer
    // reads.
    uint8_t ReadSelector = 0;
    uint8_t ControlGroup = 0;
    uint8_t WordParamNumber = 0;
    uint8_t FloatParamNumber = 0;
    uint8_t ByteValueNumber = 0;
    uint8_t WordParamReadNumber = 0;
    uint8_t FloatParamReadNumber = 0;

    TGaugeArrays Arrays;
    TBadZones BadZones;
    TGaugeCalibration Calibration;
    TGaugeTestRun TestRun;

    // --- Observable values -----------------------------------------------------
    TIODouble Freq;
    TIODouble Level;
    TIODouble Reserve;
    TIODouble LevelFree;
    TIODouble Distance;
    TIODouble Temp;
    TIODouble CurrentOutput;
    TIOThreeStates LinkState;    // 0 no answer yet, 1 accepted, 2 failure reported
    TIOThreeStates EnabledState; // holds Enabled

    // --- Operations --------------------------------------------------------------
    bool HasExtendedParameters() const { return SoftVersion > 1; }
    QString ModelSuffix() const { return QString(); }
    // The gauge's model as its program type names it, "ТОЛМ471И" for 11 and
    // "ТОЛМ472И" for 12; empty for another type and before any gauge has
    // answered (the model's own title says nothing about the gauge).
    QString ModelName() const;

    // The request of `code` with the values the model holds now: what a
    // command carries from the moment it is started.
    TGaugeRequest MakeRequest(int code) const;
    // Payload (address, function, data; no CRC) of a command, recording the
    // request context. nullopt for a code that is not a command (text
    // "Ошибка формирования запроса" in *error) and for a refused block read
    // (its message goes out through OnMessage, nothing is sent).
    std::optional<QByteArray> BuildRequest(int code, QString *error = nullptr);

    // The gauge's answer, CRC included, possibly empty, parsed with the
    // request context BuildRequest recorded, counted in the model's status,
    // logged and applied.
    void ParseAnswer(const QByteArray &answer);
    // The current-loop meter's answer, CRC-8 included, possibly empty; only
    // the current is taken, the gauge's status stays as it is.
    void ParseLumidorAnswer(const QByteArray &answer);
    // Takes an answer parsed elsewhere: the values it carries, the device's
    // status after it (not for the meter's answers), a message for the
    // operator. In the user-interface thread.
    void Apply(const TGaugeAnswer &answer);
    // The failure count, threshold and status as the model holds them.
    TLinkStatus LinkStatus() const;
    void ResetErrorCount() { ErrorCount = 0; }

    // Appends one status entry to DATA\yyyy\mm\dd\BlackBox.txt below the
    // program folder; failures are swallowed.
    void LogBlackBox(uint8_t status) { LogBlackBoxEntry(ProgramFolder, status); }

    // Least-squares fit of KrPer and SmPer to the calibration table; with
    // fewer than two points, equal x values or KrPer 0 nothing changes.
    void ComputeCalibration();

private:
    bool bit(int n) const { return (m_variantProcessing >> n) & 1; }
    TAnswerContext answerContext() const;
    void applyGauge(const TGaugeAnswer &answer);
    void setBit(int n, bool on, std::initializer_list<int> clears = {});
    void presetProgon(int points);

    uint8_t m_systemAddress = 255;
    uint8_t m_systemAddressNew = 0;
    uint16_t m_plantNumberNew = 0;
    uint16_t m_errorMax = 0;
    uint16_t m_plantNumber = 0;
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
    int32_t m_calibrMode = 0; // the constructor sets 5 (loading its preset)
    double m_freqNes = 0;
    double m_freqDev = 0;
    uint16_t m_freqBeg = 0;
    double m_radius = 0;
    int32_t m_progonMode = 0; // the constructor sets 5 (loading its preset)
    double m_odpm = 1;
    uint16_t m_mup = 1;
    bool m_gaugeAnswered = false; // a frame of the gauge was taken since the start
};
