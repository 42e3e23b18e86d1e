// The property table against the command table and the simulated gauge:
// every parameter written through its row reads back through its row.

#include "protocol/command_codes.h"
#include "protocol/command_table.h"
#include "device/parameter_table.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "session/gauge_session.h"
#include "session/ui_hand_over.h"
#include "session/command_sender.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include "link/scripted_line.h"
#include "support/recording_operator.h"

#include <QDir>
#include <QSet>

#include <cmath>

#include <gtest/gtest.h>

namespace {

// A value each parameter's setter takes (and the gauge can hold as a single).
double sample(const TParameter &p)
{
    const QString name = QString::fromLatin1(p.Name);
    if (name == "KKalman")
        return 0.25;
    if (name == "ODPM")
        return 2.5;
    if (name == "MUP" || name == "CountBadZones" || name == "ModePrediction")
        return 2;
    if (name == "ProgramType")
        return 12;
    return p.Type == TParameterType::Float ? 1234.5 : 77;
}

// Another value the setter takes.
double other(const TParameter &p)
{
    const QString name = QString::fromLatin1(p.Name);
    if (name == "KKalman")
        return 0.75;
    if (name == "ProgramType")
        return 11;
    return p.Type == TParameterType::Float ? 1.5 : 1;
}

} // namespace

TEST(ParameterTableTest, RowsNameTheirCommandsConsistently)
{
    QSet<QString> names;
    for (const TParameter &p : ParameterTable()) {
        const QString name = QString::fromLatin1(p.Name);
        EXPECT_FALSE(names.contains(name)) << p.Name;
        names.insert(name);
        EXPECT_EQ(FindParameter(name), &p);
        if (CanRead(p)) {
            EXPECT_TRUE(CommandName(p.ReadCode).contains("Read")) << p.Name;
            EXPECT_STRNE(p.ReadHint, "") << p.Name;
        }
        if (p.WriteCode >= 0) {
            EXPECT_TRUE(CommandName(p.WriteCode).contains("Write")) << p.Name;
        }
        if (CanWrite(p)) {
            EXPECT_STRNE(p.WriteHint, "") << p.Name;
        }
        // The request builder and the parser find a numbered parameter by
        // its number: it must be its own, the same in its read and write.
        if (const int number = ParameterNumber(p); number >= 0) {
            EXPECT_EQ(ParameterByNumber(p.Type, number), &p) << p.Name;
            for (const int code : {p.ReadCode, p.WriteCode}) {
                if (const TCommandRow *row = CommandRow(code); row && row->context != TRequestContext::ByteValue) {
                    EXPECT_EQ(row->number, number) << p.Name << " " << code;
                }
            }
        }
    }
    for (const char *name : {"Hmax", "Lmax", "KKalman", "KrPer", "SmPer", "Speed", "ODPM", "MUP", "VariantProcessing",
                             "CountBadZones", "FreqBeg", "KrFChH", "SmFChH", "Radius", "FreqNes", "FreqDev",
                             "LevelKalibr", "ModePrediction", "SystemAddressNew", "PlantNumberNew", "BadZoneEmpty5"})
        EXPECT_NE(FindParameter(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(FindParameter("hmax"), nullptr);
    EXPECT_FALSE(CanRead(*FindParameter("LevelKalibr")));
    EXPECT_FALSE(CanWrite(*FindParameter("SystemAddress")));
}

TEST(ParameterTableTest, SettersKeepTheModelsRulesAndIntegerRanges)
{
    Ttolm472 model;
    const auto set = [&](const char *name, double v) {
        const TParameter *p = FindParameter(name);
        p->Set(model, v);
        return p->Get(model);
    };
    EXPECT_EQ(set("KKalman", 0), 1);
    EXPECT_EQ(set("Lmax", 20000), 15000); // above Hmax
    EXPECT_EQ(set("CountBadZones", 2.5), 5);
    EXPECT_EQ(set("CountBadZones", 70000), 5);
    EXPECT_EQ(set("CountBadZones", -1), 5);
    EXPECT_EQ(set("SystemAddressNew", 256), 0);
    EXPECT_EQ(set("MUP", 51), 1);
    EXPECT_EQ(set("ModePrediction", 3), 0);
    EXPECT_EQ(set("ProgramType", 13), 11);
    // No parameter takes what no gauge holds (an infinity would go out as
    // 7F 80 00 00 and be stored), whichever way it comes in.
    for (const TParameter &p : ParameterTable()) {
        if (!p.Set)
            continue;
        const double before = p.Get(model);
        for (double v : {qInf(), -qInf(), qQNaN()}) {
            p.Set(model, v);
            const double after = p.Get(model);
            EXPECT_TRUE(after == before || (std::isnan(before) && std::isnan(after))) << p.Name << ' ' << v;
        }
    }

    const TParameter &mode = *FindParameter("ModePrediction");
    for (int m = 0; m <= 2; ++m) {
        mode.Set(model, m);
        EXPECT_EQ(WriteCommand(mode, model), ModePrediction0 + m);
    }
    const TParameter &type = *FindParameter("ProgramType");
    EXPECT_EQ(WriteCommand(type, model), ProgramTypeWrite11);
    type.Set(model, 12);
    EXPECT_EQ(WriteCommand(type, model), ProgramTypeWrite12);
    EXPECT_EQ(WriteCommand(*FindParameter("Hmax"), model), HmaxWrite);
}

TEST(ParameterTableTest, EveryWrittenParameterReadsBackFromTheGauge)
{
    EnsureCoreApplication();
    TempHome home;
    const QString oldDir = QDir::currentPath();
    QDir::setCurrent(home.path());
    QObject ui;
    Ttolm472 model(home.path());
    model.SetErrorMax(1);
    ScriptedLine line;
    TUiHandOver handOver(&ui);
    TRequestCycle cycle(model, line, home.path());
    ConnectModel(cycle, model, ui);
    RecordingHost host;
    TCommandSender sender(cycle, model, handOver, host);

    int checked = 0;
    for (const TParameter &p : ParameterTable()) {
        if (!CanRead(p) || !CanWrite(p))
            continue;
        const double value = sample(p);
        p.Set(model, value);
        ASSERT_EQ(p.Get(model), value) << p.Name;
        ASSERT_TRUE(sender.SendCommandWithRetries(WriteCommand(p, model), p.WriteHint, 1)) << p.Name;
        // Something else in the model, so the read must bring the value back.
        p.Set(model, other(p));
        ASSERT_EQ(p.Get(model), other(p)) << p.Name;
        ASSERT_TRUE(sender.SendCommandWithRetries(p.ReadCode, p.ReadHint, 1)) << p.Name;
        EXPECT_EQ(p.Get(model), value) << p.Name;
        ++checked;
    }
    EXPECT_EQ(checked, 37); // 17 parameters and 20 bad-zone values
    QDir::setCurrent(oldDir);
}
