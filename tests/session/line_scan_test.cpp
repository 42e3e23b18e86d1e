// The search for gauges on a simulated line carrying several of them.

#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "session/line_scan.h"
#include "sim/numbered_gauges.h"
#include "sim/simulated_line.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QDir>

#include <gtest/gtest.h>

TEST(LineScan, FindsEachGaugeByItsAddressAndTellsAConflictFromAGauge)
{
    EnsureCoreApplication();
    TempHome home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path()); // the exchange log lands there
    TSimLineConfig config;
    NumberSimGauges(config, 8);
    config.moreGauges[6].parameters.systemAddress = 6; // gauges 8 and 6 answer together at 6
    TSimulatedLine line(config);
    line.WithSimulator([](TSimLine &sim) { sim.gauges().setLink(2, TSimGaugeLink::Silent); }); // address 3
    Ttolm472 model;
    model.SetErrorMax(3);
    TRequestCycle cycle(model, line, home.path());
    cycle.SetAnswerOutlet([&model](const TGaugeAnswer &answer) { model.Apply(answer); });

    std::vector<int> steps;
    const std::vector<TFoundGauge> found = ScanLine(cycle, 1, 10, [&](int done, int total) {
        EXPECT_EQ(total, 10);
        steps.push_back(done);
        return true;
    });

    std::vector<int> addresses;
    for (const TFoundGauge &g : found)
        addresses.push_back(g.Address);
    EXPECT_EQ(addresses, (std::vector<int>{1, 2, 4, 5, 6, 7}));
    for (const TFoundGauge &g : found) {
        SCOPED_TRACE(g.Address);
        if (g.Address == 6) {
            EXPECT_TRUE(g.Conflict);
            continue;
        }
        EXPECT_FALSE(g.Conflict);
        EXPECT_TRUE(g.Identified);
        EXPECT_EQ(g.PlantNumber, 1000 + g.Address);
        EXPECT_EQ(g.ProgramType, 11);
    }
    EXPECT_EQ(steps.front(), 0);
    EXPECT_EQ(steps.back(), 10);
    // The polled gauge's model and failure count saw none of it.
    EXPECT_EQ(cycle.GaugeAddress(), 255);
    EXPECT_EQ(model.Config.PlantNumber(), 0);

    // Closing the progress ends the scan at the next address.
    const std::vector<TFoundGauge> stopped = ScanLine(cycle, 1, 10, [](int done, int) { return done < 2; });
    EXPECT_EQ(stopped.size(), 2u);
    QDir::setCurrent(oldDir);
}
