// What one exchange costs on the in-process simulated line with the
// simulator's line timing at 9600 baud (11 bits a byte, 5 ms turnaround),
// against the pure line time of its bytes. Real time (the exchange sleeps
// while the bytes are "on the line"); the payloads are the device model's.
//
// - LevelAllRead: one all-readings exchange, 5 request and 29 answer bytes,
//   nine-bit addressing. Target: within 10% of the pure line time.
// - LevelAllReadTimeoutEnd: the same exchange with a damaged answer CRC
//   (same byte count), which can only end by the 50 ms read interval: what
//   every exchange would cost without the early end of complete answers.
// - SpectrumBlocks: the 16 block reads of one spectrum (6 request and 133
//   answer bytes each) after its init, without the pauses of the main
//   window's procedure.
//
// Counters: line_ms = request and answer bytes at 9600 baud + the
// turnaround + the 3 ms address pause, per exchange or per 16 blocks;
// ratio = measured / line_ms.

#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "sim/line_timing.h"
#include "sim/simulated_line.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

constexpr int kBaud = 9600;
constexpr int kTurnaroundMs = 5;
constexpr int kMaxAnswer = 140;

TSimLineConfig timedLine()
{
    TSimLineConfig config;
    config.timing.enabled = true;
    config.timing.baud = kBaud;
    config.timing.turnaroundMs = kTurnaroundMs;
    return config;
}

// Pure line time of one addressed exchange, in milliseconds.
double lineMs(int requestBytes, int answerBytes)
{
    return double(LineTimeUs(requestBytes + answerBytes, kBaud, true)) / 1000.0 + kTurnaroundMs + 3.0;
}

QByteArray request(Ttolm472 &model, int code)
{
    const std::optional<QByteArray> payload = model.BuildRequest(code);
    return payload.value_or(QByteArray());
}

// Times the exchanges of one iteration on the monotonic clock, so the
// ratio leaves out the untimed set-up as the benchmark's own time does.
class TExchangeTimer
{
public:
    template <typename F>
    auto operator()(F &&exchange)
    {
        const auto start = std::chrono::steady_clock::now();
        auto result = exchange();
        m_ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        return result;
    }
    double ms() const { return m_ms; }

private:
    double m_ms = 0;
};

void report(benchmark::State &state, const TExchangeTimer &timer, double lineMsPerIteration, int answers)
{
    state.counters["line_ms"] = lineMsPerIteration;
    state.counters["ratio"] = timer.ms() / double(state.iterations()) / lineMsPerIteration;
    state.counters["answers"] = answers;
}

void levelAllRead(benchmark::State &state, bool damageCrc)
{
    TSimulatedLine line(timedLine());
    Ttolm472 model;
    model.SetSystemAddress(255);
    const QByteArray payload = request(model, LevelAllRead);
    int answers = 0;
    qsizetype answerBytes = 0;
    TExchangeTimer timer;
    for (auto _ : state) {
        if (damageCrc) {
            state.PauseTiming();
            line.WithSimulator([](TSimLine &sim) { sim.faults().forceNext(TSimFault::BadCrc); });
            state.ResumeTiming();
        }
        QByteArray answer;
        answers += timer([&] { return line.TransmitAddressed(payload, answer, true, kMaxAnswer); }) ==
                           TTransmitResult::Answered
                       ? 1
                       : 0;
        answerBytes = answer.size();
    }
    report(state, timer, lineMs(int(payload.size()) + 2, int(answerBytes)), answers);
}

void BM_LevelAllRead(benchmark::State &state) { levelAllRead(state, false); }
void BM_LevelAllReadTimeoutEnd(benchmark::State &state) { levelAllRead(state, true); }

void BM_SpectrumBlocks(benchmark::State &state)
{
    TSimulatedLine line(timedLine());
    Ttolm472 model;
    model.SetSystemAddress(255);
    int answers = 0;
    double line16 = 0;
    TExchangeTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        QByteArray answer;
        line.TransmitAddressed(request(model, SpectrumReadInit), answer, true, kMaxAnswer);
        state.ResumeTiming();
        line16 = 0;
        for (int block = 1; block <= 16; ++block) {
            model.Arrays.BlockIndex = uint16_t(block);
            const QByteArray payload = request(model, DataBlockRead);
            answers += timer([&] { return line.TransmitAddressed(payload, answer, true, kMaxAnswer); }) ==
                           TTransmitResult::Answered
                       ? 1
                       : 0;
            line16 += lineMs(int(payload.size()) + 2, int(answer.size()));
        }
    }
    report(state, timer, line16, answers);
}

} // namespace

BENCHMARK(BM_LevelAllRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(30);
BENCHMARK(BM_LevelAllReadTimeoutEnd)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);
BENCHMARK(BM_SpectrumBlocks)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

BENCHMARK_MAIN();
