#include "session/array_read.h"

#include "values/clock.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "session/command_sender.h"
#include "session/gauge_views.h"
#include "session/operator.h"
#include "values/descriptions.h"
#include "values/float_format.h"

namespace {

// The gauge needs a second to take the array after its init command, and
// again after the last block before it ends the array mode.
constexpr int SettleMs = 1000;
// Between spectrum blocks the gauge is given time to serve the next one.
constexpr int SpectrumBlockPauseMs = 200;

const QString InitHint = QStringLiteral("Инициализация чтения массива данных");
const QString StopHint = QStringLiteral("Завершение чтения массива данных");

struct TArrayKind {
    TCapturedArray array;
    int initCode;
    QString initFailure; // the hint of the failed init's message
    QString progressText;
    int blocks;
    int pauseAfterBlockMs;
};

const TArrayKind Spectrum{TCapturedArray::Spectrum, SpectrumReadInit,
                          QStringLiteral("Инициализациия чтения массива спектра"),
                          QStringLiteral("Чтение массива спектра"),
                          TGaugeArrays::SpectrumSize / TGaugeArrays::BlockSize, SpectrumBlockPauseMs};
const TArrayKind Signal{TCapturedArray::Signal, SignalReadInit,
                        QStringLiteral("Инициализациия чтения массива сигнала"),
                        QStringLiteral("Чтение массива сигнала"), TGaugeArrays::SignalSize / TGaugeArrays::BlockSize,
                        0};

// Steps 2 to 8 of both reads: from clearing the array to the final stop.
// False when the init failed (reported; nothing more was sent) or the
// program is ending.
bool readBlocks(TCommandSender &sender, TGaugeViews &views, const TArrayKind &kind, TArrayReadResult &result)
{
    TOperator &op = sender.Op();
    result.BlockCount = kind.blocks;
    sender.OnModel([&](Ttolm472 &model) {
        if (kind.array == TCapturedArray::Spectrum)
            model.Arrays.ClearSpectrum();
        else
            model.Arrays.ClearSignal();
    });

    sender.SendCommandWithRetries(InitReadStop, InitHint, TCommandSender::Attempts);
    if (!sender.SendCommandWithRetries(kind.initCode, InitHint, TCommandSender::Attempts)) {
        sender.ReportFailure(kind.initFailure);
        return false;
    }
    result.Initialised = true;
    Clock().Pause(SettleMs);

    for (int block = 1; block <= kind.blocks; ++block) {
        op.ShowProgress(kind.progressText, block, kind.blocks);
        // The program is ending: nothing more is read and nothing written.
        if (sender.Stopped() || sender.Ending()) {
            op.CloseProgress();
            return false;
        }
        if (sender.ReadBlockWithRetries(block, TCommandSender::Attempts))
            ++result.BlocksRead;
        if (kind.pauseAfterBlockMs > 0)
            Clock().Pause(kind.pauseAfterBlockMs);
    }
    Clock().Pause(SettleMs);

    result.Stopped = sender.SendCommandWithRetries(InitReadStop, StopHint, TCommandSender::Attempts);
    if (!result.Stopped)
        sender.ReportFailure(StopHint);
    op.CloseProgress();
    views.UpdateAllViews();
    return true;
}

TCaptureFileSet fileSet(const QString &dbPath, const QDateTime &startTime, int counter)
{
    return {dbPath, Clock().Now(), startTime, counter};
}

} // namespace

void TCaptureCounters::Reset(const QDateTime &now)
{
    SpectrumFileCounter = 0;
    SignalFileCounter = 0;
    SpectrumStartTime = now;
    SignalStartTime = now;
}

TArrayReadResult ReadSpectrum(TCommandSender &sender, TGaugeViews &views, TCaptureCounters &counters,
                          const QString &dbPath)
{
    TArrayReadResult result;
    if (!readBlocks(sender, views, Spectrum, result))
        return result;
    views.ShowCapturedArray(TCapturedArray::Spectrum);

    // What the files show is taken from the model where it lives; they are
    // written here.
    TSummaryValues summary;
    std::array<double, TGaugeArrays::SpectrumSize> spectrum{};
    sender.OnModel([&](Ttolm472 &model) {
        summary = ParameterSummaryValues(model);
        spectrum = model.Arrays.Spectrum;
    });
    ++counters.SpectrumFileCounter;
    QString error;
    result.Saved = SaveSpectrumFiles(fileSet(dbPath, counters.SpectrumStartTime, counters.SpectrumFileCounter),
                                     summary, spectrum, error, &result.Files);
    if (!result.Saved)
        sender.Op().Error(error);
    return result;
}

TArrayReadResult ReadSignal(TCommandSender &sender, TGaugeViews &views, TCaptureCounters &counters,
                          const QString &dbPath)
{
    TArrayReadResult result;
    if (!readBlocks(sender, views, Signal, result))
        return result;

    TSummaryValues summary;
    std::array<int32_t, TGaugeArrays::SignalSize> signal{};
    QString plantNumber, distance;
    sender.OnModel([&](Ttolm472 &model) {
        summary = ParameterSummaryValues(model);
        signal = model.Arrays.Signal;
        plantNumber = QString::number(model.Config.PlantNumber());
        distance = model.Readings.Distance.AsText(true, true);
    });
    ++counters.SignalFileCounter;
    QString error;
    result.Saved = SaveSignalFiles(fileSet(dbPath, counters.SignalStartTime, counters.SignalFileCounter), summary,
                                   signal, plantNumber, distance, error, &result.Files);
    if (!result.Saved)
        sender.Op().Error(error);
    views.ShowCapturedArray(TCapturedArray::Signal);
    return result;
}

TSummaryValues ParameterSummaryValues(const Ttolm472 &model)
{
    const auto number = [](double v) { return FloatToStrF(v, TDescriptionOfDouble::ffNumber, 9, 0); };
    return {QString::number(model.SystemAddress()),
            QString::number(model.Config.PlantNumber()),
            QString::number(model.Identity.HardVersion),
            QString::number(model.Identity.SoftVersion),
            number(model.Config.Hmax()),
            number(model.Config.Lmax()),
            number(model.Config.KKalman()),
            number(model.Config.KrPer()),
            number(model.Config.SmPer())};
}
