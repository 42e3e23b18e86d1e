// Cost of one request and of one answer in the gauge model, as the polling
// pass pays it per exchange: building a command's payload plus its CRC-16,
// and parsing an all-readings answer (29 bytes, five floats stored into
// observable values) or a spectrum block (133 bytes, 32 floats). The answers
// come from the simulated gauge's builders, CRC included; the model has no
// program folder, so no status log is written.

#include "device/tolm472.h"
#include "protocol/frame.h"
#include "sim/answer_builder.h"

#include <benchmark/benchmark.h>

namespace {

void BM_BuildRequestWithCrc(benchmark::State &state)
{
    Ttolm472 model;
    model.SetSystemAddress(1);
    model.BuildRequest(SpectrumReadInit);
    model.Arrays.BlockIndex = 7;
    const int code = int(state.range(0));
    for (auto _ : state) {
        const auto payload = model.BuildRequest(code);
        benchmark::DoNotOptimize(Crc16(*payload));
    }
    state.SetLabel(CommandName(code).toStdString());
}
BENCHMARK(BM_BuildRequestWithCrc)->Arg(LevelAllRead)->Arg(DataBlockRead)->Arg(HmaxWrite)->Arg(HmaxRead)->Arg(Echo);

void BM_ParseAllReadings(benchmark::State &state)
{
    Ttolm472 model;
    model.SetErrorMax(1);
    model.BuildRequest(LevelAllRead);
    const QByteArray answer = AnswerAllReadings(1, {12345.5, 2500.25, 9500.75, 5499.25, 0.5, 812, 0});
    for (auto _ : state)
        model.ParseAnswer(answer);
    if (model.LastErrorCode != 0 || model.Readings.Level.AsDouble() != 9500.75)
        state.SkipWithError("answer not taken");
    state.SetBytesProcessed(int64_t(state.iterations()) * answer.size());
}
BENCHMARK(BM_ParseAllReadings);

void BM_ParseSpectrumBlock(benchmark::State &state)
{
    Ttolm472 model;
    model.SetErrorMax(1);
    model.BuildRequest(SpectrumReadInit);
    model.Arrays.BlockIndex = 5;
    model.BuildRequest(DataBlockRead);
    std::array<float, DataBlockValues> block{};
    for (int j = 0; j < DataBlockValues; ++j)
        block[j] = 100.0f * j + 0.5f;
    const QByteArray answer = AnswerSpectrumBlock(1, block);
    for (auto _ : state)
        model.ParseAnswer(answer);
    if (model.LastErrorCode != 0 || model.Arrays.Spectrum[4 * 32 + 31] != 3100.5)
        state.SkipWithError("answer not taken");
    state.SetBytesProcessed(int64_t(state.iterations()) * answer.size());
}
BENCHMARK(BM_ParseSpectrumBlock);

} // namespace

BENCHMARK_MAIN();
