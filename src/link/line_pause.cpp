#include "link/line_pause.h"

#include <thread>

void PauseAtLeast(TLineClock::duration pause)
{
    const TLineClock::time_point until = TLineClock::now() + pause;
    for (TLineClock::time_point now = TLineClock::now(); now < until; now = TLineClock::now())
        std::this_thread::sleep_for(until - now);
}
