#pragma once
// The simulated level gauge: it takes one request frame as it came off the
// line (CRC-16 included) and gives the answer frame it would send, or nothing.
//
// Like the instrument it:
//  - stays silent on a request with a wrong checksum or for another address
//    (255 is an ordinary address, not a broadcast);
//  - answers an unknown function with the 0xFA error answer, code 1
//    (command absent); a known function with the wrong length or count byte
//    with code 3 (program analysis error); a request it cannot carry out
//    (unknown parameter number, block read without array initialisation,
//    block beyond the array, store to ROM that fails) with code 2;
//  - keeps every parameter in working memory, so a write changes later
//    reads, and stores them in its non-volatile memory (the state file) on
//    "write to ROM" (0xA2); at start it loads that file when it exists;
//  - takes a new system address (0x25) only when the plant number in the
//    request is its own, and then answers from the new address; otherwise it
//    stays silent;
//  - captures the spectrum or the signal when the array read is initialised
//    (control 0x14 0x1E / 0x14 0x14) and serves it block by block until
//    another control command ends the array mode; training (0x14 0x32) and
//    correction (0x14 0x34) serve the spectrum the same way;
//  - answers the register read (function 4) in the register-read form,
//    which the service program does not accept.
// Not thread-safe: one line carries one exchange at a time.

#include "sim/answer_builder.h"
#include "sim/gauge_parameters.h"
#include "sim/gauge_state_file.h"
#include "sim/sim_clock.h"
#include "sim/tank_model.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct TSimGaugeConfig
{
    // The gauge's memory when no state file exists yet (or it is unreadable).
    TSimGaugeParameters parameters;
    // Non-volatile memory; empty: stored parameters live only as long as the
    // object.
    QString stateFile;
    uint64_t seed = 1;
    double tankSpeed = 5.0; // mm/s of filling and draining
    double tankPhase = TSimTank::DefaultTankPhase; // point of the fill/drain cycle at time 0
    std::optional<double> heldLevel; // a target on a test bench, mm
    uint8_t status = 0;     // status byte of the reading answers
};

// What the array mode of the gauge serves (the argument of the control
// command that selected it).
enum class TSimArray { None = 0, Signal = 20, Spectrum = 30, Training = 50, Correction = 52 };

class TSimGauge
{
public:
    explicit TSimGauge(const TSimGaugeConfig &config, TSimClock clock = {});

    QByteArray answer(const QByteArray &request);

    const TSimGaugeParameters &parameters() const { return m_params; }
    uint8_t address() const { return m_params.systemAddress; }
    uint8_t status() const { return m_status; }
    void setStatus(uint8_t status) { m_status = status; }

    qint64 now() const { return m_clock(); }
    TSimReadings readings() const;
    double level() const;
    // Puts the target of a test bench at `level` mm; none lets it go.
    void holdLevel(std::optional<double> level) { m_tank.holdLevel(level); }

    // How the state file was found at start, and why it was refused when
    // Corrupt; the last failure of a store, empty when it succeeded.
    TSimStateLoad stateLoad() const { return m_stateLoad; }
    const QString &stateFile() const { return m_stateFile; }
    QString stateError() const { return m_stateError; }

private:
    QByteArray dispatch(const QByteArray &payload);
    QByteArray readValue(uint8_t selector);
    QByteArray setSystemAddress(const QByteArray &payload);
    QByteArray storeToRom();
    QByteArray dataBlock(uint16_t offset, uint8_t count);
    QByteArray control(uint8_t group, uint8_t argument);
    QByteArray readByteValue(uint8_t number);
    QByteArray registers(uint16_t first, uint16_t count);
    QByteArray error(uint8_t code) const;
    void captureArray(TSimArray array);
    TSignature signature() const;

    TSimClock m_clock;
    TSimTank m_tank;
    uint64_t m_seed;
    QString m_stateFile;
    TSimGaugeParameters m_params;
    uint8_t m_status;
    TSimStateLoad m_stateLoad = TSimStateLoad::Missing;
    QString m_stateError;
    TSimArray m_array = TSimArray::None;
    std::vector<float> m_spectrum;
    std::vector<int32_t> m_signal;
};
