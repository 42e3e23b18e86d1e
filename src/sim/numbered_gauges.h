#pragma once
// A pair with several gauges, as a tank farm or a test bench wires them for
// the program's scan: gauge n (1 .. count) at address n with plant number
// 1000 + n, its own seed (its own ripple and noise) and its own point on the
// fill/drain cycle, so no two tanks read alike. The first gauge keeps the
// meter. Everything else (versions, type, status, speed, a held level) is
// the first gauge's configuration, copied.

#include "sim/sim_line.h"

constexpr int MaxSimGauges = 255; // every address but 0 (1 .. 255)

// Turns config.gauge into gauge 1 and adds gauges 2 .. count (count in
// 1 .. MaxSimGauges). A state file, when config.gauge has one, becomes one
// file per gauge: "gauge.json" gives "gauge-1.json", "gauge-2.json", ...
void NumberSimGauges(TSimLineConfig &config, int count);
