#include "session/line_scan.h"

#include "link/request_cycle.h"
#include "protocol/command_codes.h"
#include "session/operator.h"
#include "session/procedures/procedure_context.h"

#include <QStringList>

#include <algorithm>

namespace {

// An address with nobody behind it costs its write and this wait: the
// whole range of 255 addresses in well under half a minute at 9600 baud,
// while a gauge's echo (a few bytes after its turnaround) still fits.
constexpr int EchoWaitMs = 60;
// The signature and the program type of a gauge that did answer are read
// with the line's own time-outs, a few times over on a noisy line.
constexpr int ReadAttempts = 3;

TGaugeRequest requestAt(int code, int address)
{
    TGaugeRequest request;
    request.Code = code;
    request.Address = uint8_t(address);
    return request;
}

std::optional<TGaugeAnswer> readAt(TRequestCycle &cycle, int code, int address)
{
    for (int attempt = 0; attempt < ReadAttempts; ++attempt) {
        TGaugeAnswer answer = cycle.ExchangeAside(requestAt(code, address), cycle.PortParametersTolm);
        if (answer.Accepted())
            return answer;
    }
    return std::nullopt;
}

} // namespace

TFoundGauge IdentifyGauge(TRequestCycle &cycle, int address)
{
    TFoundGauge gauge;
    gauge.Address = address;
    if (const std::optional<TGaugeAnswer> signature = readAt(cycle, SignatureRead, address);
        signature && signature->Signature) {
        gauge.Identified = true;
        gauge.PlantNumber = signature->Signature->PlantNumber;
        gauge.HardVersion = signature->Signature->HardVersion;
        gauge.SoftVersion = signature->Signature->SoftVersion;
    } else {
        // It echoed cleanly but its signature never came whole: two
        // gauges whose echoes happened to agree.
        gauge.Conflict = true;
        return gauge;
    }
    if (const std::optional<TGaugeAnswer> type = readAt(cycle, ProgramTypeRead, address); type && type->ProgramType)
        gauge.ProgramType = *type->ProgramType;
    return gauge;
}

std::vector<TFoundGauge> ScanLine(TRequestCycle &cycle, int from, int to, const TScanStep &step)
{
    from = std::clamp(from, 1, 255);
    to = std::clamp(to, 1, 255);
    TPortParameters quick = cycle.PortParametersTolm;
    quick.ReadTotalConstant = EchoWaitMs;
    quick.ReadTotalMultiplier = 0;

    std::vector<TFoundGauge> found;
    const int total = std::max(0, to - from + 1);
    for (int address = from; address <= to; ++address) {
        if (step && !step(address - from, total))
            break;
        const TGaugeAnswer echo = cycle.ExchangeAside(requestAt(Echo, address), quick);
        if (!echo.Sent || echo.Answer.isEmpty())
            continue;
        if (!echo.Accepted()) {
            TFoundGauge conflict;
            conflict.Address = address;
            conflict.Conflict = true;
            found.push_back(conflict);
            continue;
        }
        found.push_back(IdentifyGauge(cycle, address));
    }
    if (step)
        step(total, total);
    return found;
}

std::vector<TFoundGauge> ScanLineShowingProgress(const TProcedureContext &context, int from, int to)
{
    TOperator &op = context.Op();
    // The scan's short waits must not meet a polling pass on the line.
    const bool polling = context.Views.StopPolling();
    std::vector<TFoundGauge> found =
        ScanLine(context.Sender.Cycle(), from, to, [&](int done, int total) {
            if (op.ProgressClosed() || context.Sender.Stopped())
                return false;
            op.ShowClosableProgress(QStringLiteral("Поиск приборов на линии"), done, total);
            return true;
        });
    op.CloseProgress();
    if (polling)
        context.Views.StartPolling();
    return found;
}

void MergeFoundGauges(std::vector<TLineGauge> &gauges, const std::vector<TFoundGauge> &found)
{
    for (const TFoundGauge &f : found) {
        if (f.Conflict)
            continue;
        TLineGauge gauge;
        gauge.Address = f.Address;
        gauge.PlantNumber = f.PlantNumber;
        gauge.ProgramType = f.ProgramType;
        gauge.HardVersion = f.HardVersion;
        gauge.SoftVersion = f.SoftVersion;
        MergeLineGauge(gauges, gauge);
    }
}

QString ScanSummary(const std::vector<TFoundGauge> &found)
{
    QStringList conflicts;
    int gauges = 0;
    for (const TFoundGauge &f : found) {
        if (f.Conflict)
            conflicts.append(QString::number(f.Address));
        else
            ++gauges;
    }
    QString text = QStringLiteral("Найдено приборов: %1").arg(gauges);
    if (!conflicts.isEmpty())
        text += QStringLiteral("\rНесколько приборов с одним адресом: ") + conflicts.join(QStringLiteral(", "));
    return text;
}
