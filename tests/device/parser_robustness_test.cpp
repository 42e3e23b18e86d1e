// Garbage on the line: a million random and mutated gauge answers, in every
// request context, and a few hundred thousand meter answers. Under the
// sanitizers any read past an answer's end stops the test; after each parse
// the status must be one the program knows, and an answer that fails its
// checksum must leave every stored value alone.

#include "device/status_words.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

namespace {

class TAnswerSource
{
public:
    explicit TAnswerSource(uint32_t seed) : m_rng(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }
    bool chance(int percent) { return below(100) < percent; }
    uint8_t byte() { return uint8_t(below(256)); }

    // A gauge answer: well formed, mutated, or plain noise.
    QByteArray gaugeAnswer()
    {
        const int kind = below(10);
        if (kind == 0)
            return noise(below(141));
        QByteArray a = wellFormed();
        if (kind <= 2)
            return a;
        return mutated(a, true);
    }

    QByteArray meterAnswer()
    {
        if (chance(10))
            return noise(below(71));
        const QByteArray a = AnswerMeterCurrent((below(65536) - 32768) / 100.0);
        return chance(20) ? a : mutated(a, false);
    }

private:
    QByteArray noise(int length)
    {
        QByteArray a(length, '\0');
        for (char &c : a)
            c = char(byte());
        return a;
    }

    float anyFloat()
    {
        // Sometimes any bit pattern at all: NaN, infinities, denormals.
        if (chance(30))
            return BytesToSingle(byte(), byte(), byte(), byte());
        return float(below(40000)) - 5000.0f;
    }

    QByteArray wellFormed()
    {
        const uint8_t address = byte();
        switch (below(16)) {
        case 0: return AnswerSingleValue(address, anyFloat(), chance(70) ? 0 : byte());
        case 1: return AnswerGain(address, uint16_t(below(65536)), chance(70) ? 0 : byte());
        case 2:
            return AnswerAllReadings(address, {anyFloat(), anyFloat(), anyFloat(), anyFloat(), anyFloat(),
                                               uint16_t(below(65536)), uint8_t(chance(70) ? 0 : byte())});
        case 3: return AnswerEcho(address);
        case 4: {
            const uint8_t functions[] = {GaugeFunction::Signature, GaugeFunction::SystemAddress,
                                         GaugeFunction::PlantNumber};
            return AnswerSignature(address, functions[below(3)], {byte(), uint16_t(below(65536)), byte(), byte()});
        }
        case 5:
            return AnswerIdentification(address, {byte(), uint16_t(below(65536)), byte(), byte(), byte(),
                                                  uint16_t(below(65536)), uint16_t(below(65536))});
        case 6: {
            const uint8_t functions[] = {GaugeFunction::StoreToRom, GaugeFunction::Control, GaugeFunction::WordWrite,
                                         GaugeFunction::FloatWrite};
            return AnswerAcknowledge(address, functions[below(4)]);
        }
        case 7: {
            std::array<int32_t, DataBlockValues> v{};
            for (int32_t &x : v)
                x = int32_t(m_rng());
            return AnswerSignalBlock(address, v);
        }
        case 8: {
            std::array<float, DataBlockValues> v{};
            for (float &x : v)
                x = anyFloat();
            return AnswerSpectrumBlock(address, v);
        }
        case 9: return AnswerByteValue(address, byte());
        case 10: return AnswerWordParameter(address, uint16_t(below(65536)));
        case 11: return AnswerFloatParameter(address, anyFloat());
        case 12: return AnswerError(address, chance(50) ? uint8_t(below(5)) : byte());
        case 13: {
            std::array<uint16_t, 15> r{};
            return AnswerRegisters(address, std::span<const uint16_t>(r.data(), below(16)));
        }
        default: return noise(below(141));
        }
    }

    // One to four damages, then (for the gauge, mostly) a checksum that fits
    // again, so the damage reaches the payload interpretation.
    QByteArray mutated(QByteArray a, bool gauge)
    {
        for (int n = 1 + below(4); n > 0; --n) {
            switch (below(6)) {
            case 0: a.truncate(below(int(a.size()) + 1)); break;
            case 1:
                if (!a.isEmpty())
                    a[below(int(a.size()))] ^= char(1 << below(8));
                break;
            case 2: a += noise(1 + below(8)); break;
            case 3:
                if (a.size() > 1)
                    a[1] = char(byte()); // every function byte
                break;
            case 4:
                if (!a.isEmpty())
                    a[below(int(a.size()))] = char(byte());
                break;
            default: a.truncate(std::max<int>(0, int(a.size()) - 1 - below(3))); break;
            }
        }
        if (chance(gauge ? 75 : 50) && a.size() > 2)
            return gauge ? AppendCrc16(a.chopped(2)) : AppendCrc8(a.chopped(1));
        return a;
    }

    std::mt19937 m_rng;
};

// What a rejected answer must not touch.
struct TStored
{
    std::array<double, 13> reals;
    std::array<int, 5> whole;

    explicit TStored(const Ttolm472 &m)
        : reals{m.Readings.Freq.AsDouble(),
                m.Readings.Distance.AsDouble(),
                m.Readings.Level.AsDouble(),
                m.Readings.LevelFree.AsDouble(),
                m.Readings.Reserve.AsDouble(),
                m.Readings.Temp.AsDouble(),
                m.Readings.CurrentOutput.AsDouble(),
                m.Config.Hmax(),
                m.Config.Lmax(),
                m.Config.KrPer(),
                m.BadZones.Zone(1).Near.AsDouble(),
                m.Arrays.Spectrum[0],
                double(m.Arrays.Signal[0])},
          whole{m.Config.Usil(), m.Config.PlantNumber(), m.Config.MUP(), m.SystemAddress(), m.Identity.ProgramType}
    {
    }
    // Bitwise, so a NaN stored earlier compares equal to itself.
    bool operator==(const TStored &o) const
    {
        return std::memcmp(reals.data(), o.reals.data(), sizeof reals) == 0 && whole == o.whole;
    }
};

bool knownStatus(int32_t code)
{
    switch (code) {
    case StatusCode::Normal:
    case StatusCode::NoAnswer:
    case StatusCode::ReadError:
    case StatusCode::ChecksumError:
    case StatusCode::CommandMismatch:
    case StatusCode::ErrorAnswer: return true;
    default: return code >= 1 && code <= 255; // a status byte or an error-answer code
    }
}

// Any request context the program can record, and now and then one it
// cannot (the context fields are open to every caller).
void setContext(Ttolm472 &m, TAnswerSource &src)
{
    if (src.chance(50)) {
        m.Arrays.BlockIndex = uint16_t(src.below(40));
        m.BuildRequest(src.below(110));
    }
    if (src.chance(5)) {
        m.ReadSelector = src.byte();
        m.Arrays.ArrayKind = src.chance(50) ? src.byte() : uint8_t(src.chance(50) ? 20 : 30);
        m.ByteValueNumber = src.byte();
        m.WordParamReadNumber = src.byte();
        m.FloatParamReadNumber = src.byte();
        m.Arrays.BlockIndex = uint16_t(src.below(65536));
    }
    if (src.chance(2))
        m.SetErrorMax(uint16_t(src.below(4)));
}

TEST(ParserRobustness, MillionDamagedGaugeAnswers)
{
    TAnswerSource src(20240305);
    Ttolm472 model; // no program folder: no status log files
    model.SetErrorMax(1);
    int messages = 0;
    model.OnMessage = [&messages](const QString &) { ++messages; };
    int rightChecksum = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        setContext(model, src);
        const QByteArray answer = src.gaugeAnswer();
        const bool badChecksum = answer.size() > 4 && !CheckCrc16(answer);
        const TStored before(model);
        const int linkBefore = model.LinkState.AsInt();
        model.ParseAnswer(answer);
        if (!knownStatus(model.LastErrorCode)) {
            ADD_FAILURE() << "status " << model.LastErrorCode << " after " << BytesToHex(answer).toStdString();
            break;
        }
        if (model.LinkState.AsInt() < 0 || model.LinkState.AsInt() > 2) {
            ADD_FAILURE() << "link state " << model.LinkState.AsInt();
            break;
        }
        if (badChecksum && (!(TStored(model) == before) || (model.LinkState.AsInt() == 1 && linkBefore != 1))) {
            ADD_FAILURE() << "a checksum failure changed the model: " << BytesToHex(answer).toStdString();
            break;
        }
        rightChecksum += answer.size() > 4 && !badChecksum;
    }
    EXPECT_GT(rightChecksum, 500'000) << "most damaged answers must get past the checksum to the payload";
    EXPECT_GT(messages, 0) << "refused block reads and unknown device types were among them";
}

TEST(ParserRobustness, DamagedMeterAnswers)
{
    TAnswerSource src(906);
    Ttolm472 model;
    model.SetErrorMax(1);
    for (int i = 0; i < 300'000; ++i) {
        const QByteArray answer = src.meterAnswer();
        model.ParseLumidorAnswer(answer);
        const int32_t code = model.LastErrorCode;
        if (code != 0 && code != StatusCode::NoAnswer && code != StatusCode::ReadError &&
            code != StatusCode::ChecksumError) {
            ADD_FAILURE() << "status " << code;
            break;
        }
        const double mA = model.Readings.CurrentOutput.AsDouble();
        if (!(mA >= -327.68 && mA <= 327.67)) {
            ADD_FAILURE() << "current " << mA;
            break;
        }
    }
}

} // namespace
