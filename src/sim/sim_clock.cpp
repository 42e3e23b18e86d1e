#include "sim/sim_clock.h"

#include <QElapsedTimer>
#include <memory>

TSimClock MonotonicSimClock()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    return [timer] { return timer->elapsed(); };
}
