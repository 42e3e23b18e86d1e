#include "device/test_run.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::array<double, 5> TemplateTapes = {2000, 4000, 6000, 8000, 10000};
// The bench's fixed tank height less the tape: not the gauge's present Lmax.
constexpr double TemplateHeight = 15000;
constexpr double GreenWithin = 2;
constexpr double YellowWithin = 10;
constexpr double CurrentTolerance = 0.026;

// The expected currents from the expected levels, every point at once.
void expectCurrents(Ttolm472 &model, double lmax)
{
    for (TProgonPoint &p : model.TestRun.Points)
        p.CurrentExpected = *LoopCurrent(p.LevelExpected, lmax);
}

} // namespace

int TestRunPoints(const Ttolm472 &model)
{
    return std::clamp<int>(model.ProgonMode(), 0, int(model.TestRun.Points.size()));
}

QString NoLoopScaleWarning()
{
    return QStringLiteral("Hу max равен 0: ток петли 4-20 мА не вычисляется.\rТаблица прогона не изменена");
}

std::optional<double> LoopCurrent(double level, double lmax)
{
    if (!(lmax > 0))
        return std::nullopt;
    return level * 16 / lmax + 4;
}

int TestRunPointAt(const Ttolm472 &model, double level)
{
    for (int n = 1; n <= TestRunPoints(model); ++n) {
        const double expected = model.TestRun.Points[n - 1].LevelExpected;
        if (expected - model.TestRun.Gate <= level && level <= expected + model.TestRun.Gate)
            return n;
    }
    return 0;
}

bool RecalculateTestRun(Ttolm472 &model)
{
    const double lmax = model.Config.Lmax();
    if (!LoopCurrent(0, lmax))
        return false;
    for (int n = 1; n <= TestRunPoints(model); ++n) {
        TProgonPoint &p = model.TestRun.Points[n - 1];
        p.LevelError = p.LevelExpected - p.LevelMeasured;
        p.CurrentExpected = *LoopCurrent(p.LevelMeasured, lmax);
        p.CurrentError = p.CurrentExpected - p.CurrentMeasured;
    }
    return true;
}

bool CaptureTestRunPoint(Ttolm472 &model, int point, double level, double current, const QDateTime &at)
{
    if (point < 1 || point > int(model.TestRun.Points.size()) || !LoopCurrent(0, model.Config.Lmax()))
        return false;
    TProgonPoint &p = model.TestRun.Points[point - 1];
    p.LevelMeasured = level;
    p.CurrentMeasured = current;
    p.Captured = at;
    return RecalculateTestRun(model);
}

bool SetTestRunTape(Ttolm472 &model, int point, double tape)
{
    const double lmax = model.Config.Lmax();
    if (point < 1 || point > int(model.TestRun.Points.size()) || !LoopCurrent(0, lmax))
        return false;
    TProgonPoint &p = model.TestRun.Points[point - 1];
    p.Tape = tape;
    p.LevelExpected = lmax - tape;
    p.LevelMeasured = lmax - tape;
    expectCurrents(model, lmax);
    return true;
}

bool FillTestRunTemplate(Ttolm472 &model)
{
    const double lmax = model.Config.Lmax();
    if (!LoopCurrent(0, lmax))
        return false;
    for (size_t n = 0; n < model.TestRun.Points.size(); ++n) {
        TProgonPoint &p = model.TestRun.Points[n];
        p.Tape = TemplateTapes[n];
        p.LevelExpected = TemplateHeight - TemplateTapes[n];
        p.LevelMeasured = p.LevelExpected;
        p.CurrentMeasured = 0;
        p.Captured = {};
    }
    expectCurrents(model, lmax);
    return RecalculateTestRun(model);
}

TTestRunMark TestRunRowMark(const TProgonPoint &point, double level)
{
    const double off = std::abs(level - point.LevelExpected);
    if (off < GreenWithin)
        return TTestRunMark::Green;
    if (off < YellowWithin)
        return TTestRunMark::Yellow;
    return TTestRunMark::None;
}

bool TestRunCurrentFails(const TProgonPoint &point)
{
    return point.CurrentError > CurrentTolerance;
}
