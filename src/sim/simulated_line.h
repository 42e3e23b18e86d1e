#pragma once
// The simulated gauges and current-loop meter as a line of the program
// ("/sim", the command-line tool, tests and benchmarks): no port, but the
// same timed read as the real transmitter, over bytes that arrive when a
// real line would deliver them.
//
// With the simulator's line timing each request and answer byte takes its
// 11 (gauge) or 10 (meter) bit times at the simulator's baud rate, the
// instrument answers after its turnaround, and nine-bit addressing pays for
// the drained address byte and the 3 ms pause. Without it the answer is
// there at once. Either way the pause of a "split" fault and the silence of
// "no answer" really pass, so the read interval and the total time-out of
// the applied parameter set decide, as on the wire.

#include "link/line.h"
#include "sim/sim_line.h"

#include <functional>
#include <memory>
#include <mutex>

class TSimulatedLine final : public TLine
{
public:
    explicit TSimulatedLine(const TSimLineConfig &config, TSimClock clock = {});
    ~TSimulatedLine() override;

    // Only the time-outs matter here; the simulated instruments understand
    // any speed and parity.
    void ApplyParameters(const TPortParameters &set) override;
    TPortParameters AppliedParameters() const override;

    // Runs `use` on the simulator between exchanges (set a fault, read the
    // tank, cut a gauge off the line, change the timing) from any thread.
    void WithSimulator(const std::function<void(TSimLine &)> &use);

protected:
    std::optional<QByteArray> Exchange(TTransmitMode mode, const QByteArray &frame, int maxLength) override;

private:
    mutable std::mutex m_mutex; // the simulator and the applied set; never held while bytes are on the way
    std::unique_ptr<TSimLine> m_simulator;
    TPortParameters m_applied;
};
