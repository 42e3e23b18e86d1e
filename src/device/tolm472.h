#pragma once
// The program's one picture of the level gauge on the line, composed of its
// parts: configuration, identity, latest readings, the arrays read block by
// block, bad zones, calibration and test-run tables; the model itself keeps
// the address it is asked at and the exchange status.
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
#include "device/gauge_configuration.h"
#include "device/gauge_identity.h"
#include "device/gauge_readings.h"
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
    uint16_t ErrorMax() const { return m_errorMax; }
    void SetErrorMax(uint16_t v); // a different value also resets ErrorCount
    bool Enabled() const;
    void SetEnabled(bool v);
    int32_t CalibrMode() const { return m_calibrMode; }
    void SetCalibrMode(int32_t v); // 2 or 5 loads its preset when it changes
    int32_t ProgonMode() const { return m_progonMode; }
    void SetProgonMode(int32_t v); // 2 or 5 loads its preset when it changes

    // --- The gauge's parts ------------------------------------------------------
    TGaugeConfiguration Config;
    TGaugeIdentity Identity;
    TGaugeReadings Readings;
    TGaugeArrays Arrays;
    TBadZones BadZones;
    TGaugeCalibration Calibration;
    TGaugeTestRun TestRun;

    // --- Link status -------------------------------------------------------------
    uint16_t ErrorCount = 0;
    int32_t LastErrorCode = 0;
    QString LastErrorText = QStringLiteral("Норма");
    TIOThreeStates LinkState;    // 0 no answer yet, 1 accepted, 2 failure reported
    TIOThreeStates EnabledState; // holds Enabled

    // The context of the last request BuildRequest built, which ParseAnswer
    // reads.
    uint8_t ReadSelector = 0;
    uint8_t ControlGroup = 0;
    uint8_t WordParamNumber = 0;
    uint8_t FloatParamNumber = 0;
    uint8_t ByteValueNumber = 0;
    uint8_t WordParamReadNumber = 0;
    uint8_t FloatParamReadNumber = 0;

    // --- Operations --------------------------------------------------------------
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
    TAnswerContext answerContext() const;
    void applyGauge(const TGaugeAnswer &answer);
    void presetProgon(int points);

    uint8_t m_systemAddress = 255;
    uint16_t m_errorMax = 0;
    int32_t m_calibrMode = 0; // the constructor sets 5 (loading its preset)
    int32_t m_progonMode = 0; // the constructor sets 5 (loading its preset)
};
