#include "sim/sim_gauge.h"

#include "protocol/frame.h"
#include "sim/answer_builder.h"
#include "sim/gauge_arrays.h"
#include "protocol/request_layout.h"
#include "sim/sim_noise.h"

#include <algorithm>
#include <span>

namespace {

// Control groups and arguments of function 0xB1.
constexpr uint8_t kGroupArray = 0x14;
constexpr uint8_t kGroupStop = 0x28;
constexpr uint8_t kGroupInit = 0x32;
constexpr uint8_t kGroupPrediction = 0x3C;
constexpr uint8_t kGroupDeviceType = 0x64;
constexpr uint8_t kEchoFirst = 0xAA;
constexpr uint8_t kEchoSecond = 0x55;
constexpr uint8_t kAddressWriteKey = 0x0B;
// Registers beyond this many are not in the gauge.
constexpr int kRegisterCount = 64;

// The payload of a known function has exactly the length its count byte
// announces, and the count byte the gauge expects.
bool wellFormed(const QByteArray &payload)
{
    const uint8_t function = ByteAt(payload, 1);
    if (function == GaugeFunction::ReadRegisters)
        return payload.size() == 6;
    const int count = RequestCountByte(function);
    return payload.size() >= 3 && ByteAt(payload, 2) == count && payload.size() == 2 + count;
}

} // namespace

TSimGauge::TSimGauge(const TSimGaugeConfig &config, TSimClock clock)
    : m_clock(clock ? std::move(clock) : MonotonicSimClock()),
      m_tank(config.seed, config.tankSpeed, config.tankPhase),
      m_seed(config.seed),
      m_stateFile(config.stateFile),
      m_params(config.parameters),
      m_status(config.status)
{
    m_tank.holdLevel(config.heldLevel);
    if (!m_stateFile.isEmpty())
        m_stateLoad = LoadGaugeState(m_stateFile, m_params, m_stateError);
}

TSimReadings TSimGauge::readings() const
{
    return m_tank.readingsAt(now(), m_params);
}

double TSimGauge::level() const
{
    return m_tank.levelAt(now(), m_params);
}

QByteArray TSimGauge::answer(const QByteArray &request)
{
    // Anything shorter than address, function and checksum is line noise.
    if (request.size() < 4 || !CheckCrc16(request))
        return {};
    const QByteArray payload = request.left(request.size() - 2);
    if (ByteAt(payload, 0) != m_params.systemAddress)
        return {};
    return dispatch(payload);
}

QByteArray TSimGauge::error(uint8_t code) const
{
    return AnswerError(m_params.systemAddress, code);
}

TSignature TSimGauge::signature() const
{
    return {m_params.deviceType, m_params.plantNumber, m_params.hardVersion, m_params.softVersion};
}

QByteArray TSimGauge::dispatch(const QByteArray &payload)
{
    using namespace GaugeFunction;
    const uint8_t function = ByteAt(payload, 1);
    const uint8_t a = m_params.systemAddress;
    if (function != ReadRegisters && RequestCountByte(function) < 0)
        return error(GaugeError::CommandAbsent);
    if (!wellFormed(payload))
        return error(GaugeError::ProgramAnalysis);

    switch (function) {
    case ReadValue:
        return readValue(ByteAt(payload, 3));
    case ReadAll: {
        const TSimReadings r = readings();
        return AnswerAllReadings(a, {r.freq, r.distance, r.level, r.levelFree, r.reserve, r.gain, m_status});
    }
    case ReadRegisters:
        return registers(WordAt(payload, 2), WordAt(payload, 4));
    case GaugeFunction::Echo: // also a command code (command_codes.h) in a unity batch
        if (ByteAt(payload, 3) != kEchoFirst || ByteAt(payload, 4) != kEchoSecond)
            return error(GaugeError::ProgramAnalysis);
        return AnswerEcho(a);
    case Signature:
        return AnswerSignature(a, Signature, signature());
    case Identification:
        return AnswerIdentification(a, {m_params.deviceType, m_params.plantNumber, m_params.hardVersion,
                                        m_params.softVersionHost, m_params.softVersionCOS,
                                        m_params.crc16Host, m_params.crc16COS});
    case SystemAddress:
        return setSystemAddress(payload);
    case PlantNumber:
        m_params.plantNumber = WordAt(payload, 3);
        return AnswerSignature(a, PlantNumber, signature());
    case StoreToRom:
        return storeToRom();
    case DataBlock:
        return dataBlock(WordAt(payload, 3), ByteAt(payload, 5));
    case Control:
        return control(ByteAt(payload, 3), ByteAt(payload, 4));
    case WordWrite: {
        const auto it = m_params.words.find(ByteAt(payload, 3));
        if (it == m_params.words.end())
            return error(GaugeError::CannotExecute);
        it->second = WordAt(payload, 4);
        return AnswerAcknowledge(a, WordWrite);
    }
    case FloatWrite: {
        const auto it = m_params.floats.find(ByteAt(payload, 3));
        if (it == m_params.floats.end())
            return error(GaugeError::CannotExecute);
        it->second = SingleAt(payload, 4);
        return AnswerAcknowledge(a, FloatWrite);
    }
    case ByteRead:
        return readByteValue(ByteAt(payload, 3));
    case WordRead: {
        const auto it = m_params.words.find(ByteAt(payload, 3));
        return it == m_params.words.end() ? error(GaugeError::CannotExecute) : AnswerWordParameter(a, it->second);
    }
    case FloatRead: {
        const auto it = m_params.floats.find(ByteAt(payload, 3));
        return it == m_params.floats.end() ? error(GaugeError::CannotExecute) : AnswerFloatParameter(a, it->second);
    }
    default:
        return error(GaugeError::CommandAbsent);
    }
}

QByteArray TSimGauge::readValue(uint8_t selector)
{
    const TSimReadings r = readings();
    const uint8_t a = m_params.systemAddress;
    switch (selector) {
    case 0: return AnswerSingleValue(a, r.freq, m_status);
    case 1: return AnswerSingleValue(a, r.distance, m_status);
    case 2: return AnswerSingleValue(a, r.level, m_status);
    case 3: return AnswerSingleValue(a, r.levelFree, m_status);
    case 4: return AnswerSingleValue(a, r.reserve, m_status);
    case 5: return AnswerGain(a, r.gain, m_status);
    default: return error(GaugeError::CannotExecute);
    }
}

QByteArray TSimGauge::setSystemAddress(const QByteArray &payload)
{
    if (ByteAt(payload, 3) != kAddressWriteKey)
        return error(GaugeError::ProgramAnalysis);
    // Several gauges may share the old address on a new line; only the one
    // with this plant number takes the new address, the others keep quiet.
    if (WordAt(payload, 4) != m_params.plantNumber)
        return {};
    m_params.systemAddress = ByteAt(payload, 6);
    return AnswerSignature(m_params.systemAddress, GaugeFunction::SystemAddress, signature());
}

QByteArray TSimGauge::storeToRom()
{
    if (!m_stateFile.isEmpty()) {
        QString why;
        if (!SaveGaugeState(m_stateFile, m_params, why)) {
            m_stateError = why;
            return error(GaugeError::CannotExecute);
        }
        m_stateError.clear();
    }
    return AnswerAcknowledge(m_params.systemAddress, GaugeFunction::StoreToRom);
}

void TSimGauge::captureArray(TSimArray array)
{
    m_array = array;
    const TSimReadings r = readings();
    const double krPer = m_params.floatParam(FloatParam::KrPer);
    const uint64_t seed = SimMix(m_seed ^ uint64_t(now()));
    if (array == TSimArray::Signal)
        m_signal = MakeSignal(r.distance, krPer, seed);
    else
        m_spectrum = MakeSpectrum(r.distance, krPer, seed);
}

QByteArray TSimGauge::dataBlock(uint16_t offset, uint8_t count)
{
    if (count != DataBlockValues)
        return error(GaugeError::ProgramAnalysis);
    const uint8_t a = m_params.systemAddress;
    switch (m_array) {
    case TSimArray::None:
        return error(GaugeError::CannotExecute);
    case TSimArray::Signal:
        if (offset + DataBlockValues > int(m_signal.size()))
            return error(GaugeError::CannotExecute);
        return AnswerSignalBlock(a, std::span(m_signal).subspan(offset, DataBlockValues));
    case TSimArray::Spectrum:
    case TSimArray::Training:
    case TSimArray::Correction:
        if (offset + DataBlockValues > int(m_spectrum.size()))
            return error(GaugeError::CannotExecute);
        return AnswerSpectrumBlock(a, std::span(m_spectrum).subspan(offset, DataBlockValues));
    }
    return error(GaugeError::CannotExecute);
}

QByteArray TSimGauge::control(uint8_t group, uint8_t argument)
{
    switch (group) {
    case kGroupArray:
        switch (argument) {
        case uint8_t(TSimArray::Signal):
        case uint8_t(TSimArray::Spectrum):
        case uint8_t(TSimArray::Training):
        case uint8_t(TSimArray::Correction):
            captureArray(TSimArray(argument));
            break;
        default:
            return error(GaugeError::CannotExecute);
        }
        break;
    case kGroupStop:
    case kGroupInit:
        if (argument != group)
            return error(GaugeError::CannotExecute);
        m_array = TSimArray::None;
        break;
    case kGroupPrediction:
        if (argument > 2)
            return error(GaugeError::CannotExecute);
        m_params.predictionMode = argument;
        m_array = TSimArray::None;
        break;
    case kGroupDeviceType:
        if (argument != 11 && argument != 12)
            return error(GaugeError::CannotExecute);
        m_params.deviceType = argument;
        m_array = TSimArray::None;
        break;
    default:
        return error(GaugeError::CommandAbsent);
    }
    return AnswerAcknowledge(m_params.systemAddress, GaugeFunction::Control);
}

QByteArray TSimGauge::readByteValue(uint8_t number)
{
    const uint8_t a = m_params.systemAddress;
    if (number == ByteValue::Temperature)
        return AnswerByteValue(a, uint8_t(readings().temperature));
    if (number == ByteValue::DeviceType)
        return AnswerByteValue(a, m_params.deviceType);
    const auto it = m_params.bytes.find(number);
    return it == m_params.bytes.end() ? error(GaugeError::CannotExecute) : AnswerByteValue(a, it->second);
}

QByteArray TSimGauge::registers(uint16_t first, uint16_t count)
{
    if (count == 0 || first + count > kRegisterCount)
        return error(GaugeError::CannotExecute);
    // The register map of the Modbus side: identity first, the rest reads 0.
    std::vector<uint16_t> regs(kRegisterCount, 0);
    regs[0] = m_params.plantNumber;
    regs[1] = m_params.systemAddress;
    regs[2] = m_params.deviceType;
    regs[3] = m_params.softVersion;
    return AnswerRegisters(m_params.systemAddress, std::span(regs).subspan(first, count));
}
