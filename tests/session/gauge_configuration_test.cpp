// The gauge's whole configuration: kept in a parameter-set file, compared
// with the gauge, written back; and a file that is damaged or foreign,
// from which nothing reaches the gauge.

#include "procedure_bench.h"

#include "app/ini_file.h"
#include "session/procedures/gauge_configuration.h"
#include "session/procedures/parameter_set.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

QStringList differingNames(const TConfigurationComparison &comparison)
{
    QStringList names;
    for (const TConfigurationDifference &row : comparison.Rows)
        if (row.Differs)
            names.append(QString::fromLatin1(row.Parameter->Name));
    return names;
}

// Writes a parameter into the gauge as its write action does, without the
// store.
void writeToGauge(TProcedureBench &bench, const char *name, double value)
{
    const TParameter &parameter = *FindParameter(QString::fromLatin1(name));
    parameter.Set(bench.model, value);
    ASSERT_EQ(parameter.Get(bench.model), value) << name;
    ASSERT_TRUE(WriteParameterValue(bench.context, parameter, TRomStore::HeldBack)) << name;
}

} // namespace

TEST(GaugeConfiguration, BackupCompareAndRestoreOfFiveParametersOfEveryKind)
{
    TProcedureBench bench;
    const QString file = bench.home.file(QStringLiteral("backup.ini"));

    const TConfiguration backup = ReadConfiguration(bench.context);
    ASSERT_TRUE(backup.GaugeAnswered);
    EXPECT_EQ(backup.Missing(), 0) << "the simulated gauge has the extended set";
    QString error;
    ASSERT_TRUE(WriteParameterSetFile(bench.model, file, &backup, error)) << error.toStdString();

    const double variant = bench.model.Config.VariantProcessing();
    writeToGauge(bench, "Hmax", 21500.25);                // a float
    writeToGauge(bench, "MUP", 37);                       // a word
    writeToGauge(bench, "ProgramType", 12);               // a byte
    writeToGauge(bench, "VariantProcessing", double(int(variant) ^ 0x0004)); // one bit
    writeToGauge(bench, "BadZoneFar3", 4321.5);           // a bad zone

    // The model still holds what the gauge was told; a read of the
    // configuration leaves it so.
    const double hmaxInModel = bench.model.Config.Hmax();
    TConfiguration inFile;
    ASSERT_TRUE(ReadConfigurationFile(file, ConfigurationSection(bench.model.Name), inFile, error))
        << error.toStdString();
    const TConfigurationComparison before = CompareConfigurations(inFile, ReadConfiguration(bench.context));
    EXPECT_EQ(differingNames(before),
              (QStringList{"Hmax", "ProgramType", "BadZoneFar3", "VariantProcessing", "MUP"}));
    EXPECT_EQ(bench.model.Config.Hmax(), hmaxInModel);

    bench.line.Sent.clear();
    EXPECT_TRUE(RestoreConfiguration(bench.context, before));
    EXPECT_EQ(bench.CountSent(WriteToPZU), 1) << "one store at the end";
    EXPECT_EQ(bench.CountSent(HmaxWrite), 1);
    EXPECT_EQ(bench.CountSent(LmaxWrite), 0) << "only the differing ones are written";
    EXPECT_TRUE(bench.Messages().isEmpty()) << bench.Messages().join('|').toStdString();

    const TConfigurationComparison after = CompareConfigurations(inFile, ReadConfiguration(bench.context));
    EXPECT_EQ(after.Differing(), 0) << differingNames(after).join(' ').toStdString();
}

TEST(GaugeConfiguration, ASilentGaugeIsAskedOnceAndLeavesEveryValueMissing)
{
    TProcedureBench bench;
    bench.cycle.PortParametersTolm.ReadTotalConstant = 20;
    bench.cycle.PortParametersTolm.ReadTotalMultiplier = 0;
    bench.MakeDeafTo(CodeRange(0, CommandCount));
    const TConfiguration gauge = ReadConfiguration(bench.context);
    EXPECT_FALSE(gauge.GaugeAnswered);
    EXPECT_EQ(gauge.Missing(), int(gauge.Values.size()));
    EXPECT_EQ(bench.SentCodes(), QList<int>(5, SignatureRead));

    // Written as missing, not as the model's values.
    const QString file = bench.home.file(QStringLiteral("silent.ini"));
    QString error;
    ASSERT_TRUE(WriteParameterSetFile(bench.model, file, &gauge, error));
    TIniFile ini(file);
    EXPECT_EQ(ini.ReadString(QStringLiteral("Tolm471Backup"), QStringLiteral("Hmax"), QStringLiteral("?")), "");
    EXPECT_EQ(ini.ReadFloat(QStringLiteral("Tolm471"), QStringLiteral("Hmax"), 0), bench.model.Config.Hmax())
        << "the parameter set's own section as ever";
}

TEST(GaugeConfiguration, ADamagedFileNamesTheKeyAndNothingReachesTheGauge)
{
    TProcedureBench bench;
    const QString good = bench.home.file(QStringLiteral("good.ini"));
    const TConfiguration gauge = ReadConfiguration(bench.context);
    QString error;
    ASSERT_TRUE(WriteParameterSetFile(bench.model, good, &gauge, error));
    const QByteArray content = [&] {
        QFile f(good);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }();

    const struct {
        QByteArray from, to;
        const char *expected;
    } damages[] = {
        {"[Tolm471Backup]", "[Other]", "нет раздела [Tolm471Backup]"},
        {"\r\nMUP=", "\r\nMUPX=", "нет ключа MUP"},
        {"\r\nKKalman=", "\r\nKKalman=abc", "Значение ключа KKalman"},
        {"\r\nMUP=", "\r\nMUP=70000", "вне допустимого диапазона: 70000"},
        {"\r\nProgramType=", "\r\nProgramType=2.5", "вне допустимого диапазона"},
    };
    for (const auto &damage : damages) {
        QByteArray damaged = content;
        const qsizetype at = damaged.lastIndexOf(damage.from); // the backup section comes last
        ASSERT_GE(at, 0) << damage.from.constData();
        damaged.replace(at, damage.from.size(), damage.to);
        bench.home.writeRaw(QStringLiteral("damaged.ini"), damaged);

        bench.line.Sent.clear();
        bench.op.Calls.clear();
        bench.op.Answer(bench.home.file(QStringLiteral("damaged.ini")));
        bench.Run(TProcedureId::ParameterSetCompare);
        const QStringList messages = bench.Messages();
        ASSERT_EQ(messages.size(), 1) << damage.expected;
        EXPECT_TRUE(messages.first().contains(QString::fromUtf8(damage.expected))) << messages.first().toStdString();
        EXPECT_TRUE(bench.line.Sent.isEmpty()) << damage.expected;
        EXPECT_TRUE(bench.op.CallsOf(QStringLiteral("ReviewComparison")).isEmpty());
    }
}
