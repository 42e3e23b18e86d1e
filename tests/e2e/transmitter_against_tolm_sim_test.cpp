// The real serial code end to end: the program's transmitter opens the
// pseudo-terminal of a running tolm-sim, and the request cycle talks to the
// simulated gauge and meter through it exactly as it would through a USB
// adapter (a pseudo-terminal ignores parity, so the nine-bit address goes
// unseen; its order of writes is checked on the recording port elsewhere).

#include "support/exchange_code.h"
#include "device/parameter_table.h"
#include "device/status_words.h"
#include "device/tolm472.h"
#include "link/request_cycle.h"
#include "link/transmitter.h"
#include "session/gauge_session.h"
#include "support/core_application.h"
#include "support/temp_home.h"

#include <QDir>
#include <QProcess>

#include <gtest/gtest.h>

#include <memory>

namespace {

// tolm-sim started with some options; its pseudo-terminal, from the first
// line of its output.
class TolmSim
{
public:
    explicit TolmSim(const QStringList &options)
    {
        m_process.start(QStringLiteral(TOLM_SIM_BINARY), options);
        // A sanitised build starts slowly.
        while (!m_process.canReadLine() && m_process.waitForReadyRead(20000)) {
        }
        const QString line = QString::fromLatin1(m_process.readLine()).trimmed();
        if (line.startsWith(QStringLiteral("PTY ")))
            m_pty = line.mid(4);
    }
    ~TolmSim()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
    }
    const QString &Pty() const { return m_pty; }

private:
    QProcess m_process;
    QString m_pty;
};

// The program's objects on the real transmitter, opened on a tolm-sim.
class Station
{
public:
    explicit Station(const QStringList &simOptions) : sim(simOptions)
    {
        EnsureCoreApplication();
        // The exchange log lands in the current folder: keep it in the test's.
        QDir::setCurrent(home.path());
        transmitter = std::make_unique<TTransmitter>(home.path());
        transmitter->SetPortName(sim.Pty());
        opened = !sim.Pty().isEmpty() && transmitter->Open();
        session = std::make_unique<TGaugeSession>(TGaugeSessionSetup{home.path()}, *transmitter);
        cycle = &session->Cycle();
    }
    ~Station() { QDir::setCurrent(m_oldFolder); }

    Ttolm472 &Model() const { return session->Model(); }

    TempHome home;
    TolmSim sim;
    std::unique_ptr<TTransmitter> transmitter;
    std::unique_ptr<TGaugeSession> session;
    TRequestCycle *cycle = nullptr;
    bool opened = false;

private:
    QString m_oldFolder = QDir::currentPath();
};

// A value each parameter can take that differs from the model's default
// and passes the model's rules (Lmax stays below the new Hmax).
double TestValue(const TParameter &p, int row)
{
    const QString name = QString::fromLatin1(p.Name);
    if (name == QLatin1String("Hmax"))
        return 20000;
    if (name == QLatin1String("Lmax"))
        return 12000;
    if (name == QLatin1String("KKalman"))
        return 0.5;
    if (name == QLatin1String("ODPM"))
        return 2.5;
    if (name == QLatin1String("MUP"))
        return 7;
    if (name == QLatin1String("ProgramType"))
        return 12;
    if (name == QLatin1String("CountBadZones"))
        return 3;
    switch (p.Type) {
    case TParameterType::Float: return 100.25 + 3.5 * row;
    case TParameterType::Word: return 100 + row;
    case TParameterType::Byte: return 10 + row;
    }
    return 0;
}

} // namespace

TEST(TransmitterAgainstTolmSim, EchoMeterAndEveryParameterWrittenAndReadBack)
{
    Station s({});
    ASSERT_TRUE(s.opened) << s.sim.Pty().toStdString();

    EXPECT_EQ(ExchangeCode(*s.cycle, s.Model(), Echo), 0);
    EXPECT_EQ(s.Model().LinkState.AsInt(), 1);

    EXPECT_TRUE(s.cycle->ExchangeLumidor().Accepted());
    EXPECT_EQ(s.Model().LastErrorCode, StatusCode::Normal);
    EXPECT_GE(s.Model().Readings.CurrentOutput.AsDouble(), 3.9);
    EXPECT_LE(s.Model().Readings.CurrentOutput.AsDouble(), 20.1);

    int row = 0;
    int checked = 0;
    for (const TParameter &p : ParameterTable()) {
        ++row;
        if (!CanRead(p) || !CanWrite(p))
            continue;
        const std::string name = p.Name;
        const double before = p.Get(s.Model());
        const double wanted = TestValue(p, row);
        p.Set(s.Model(), wanted);
        ASSERT_EQ(p.Get(s.Model()), wanted) << name;
        ASSERT_EQ(ExchangeCode(*s.cycle, s.Model(), WriteCommand(p, s.Model())), 0) << name;
        EXPECT_EQ(s.Model().LastErrorCode, StatusCode::Normal) << name;
        p.Set(s.Model(), before);
        ASSERT_EQ(ExchangeCode(*s.cycle, s.Model(), p.ReadCode), 0) << name;
        const double expected = p.Type == TParameterType::Float ? double(float(wanted)) : wanted;
        EXPECT_EQ(p.Get(s.Model()), expected) << name;
        ++checked;
    }
    EXPECT_GE(checked, 30);
}

TEST(TransmitterAgainstTolmSim, SpectrumInSixteenBlocksAndSignalInThirtyTwo)
{
    Station s({});
    ASSERT_TRUE(s.opened);
    const auto readArray = [&](int init, int blocks) {
        EXPECT_EQ(ExchangeCode(*s.cycle, s.Model(), InitReadStop), 0);
        EXPECT_EQ(ExchangeCode(*s.cycle, s.Model(), init), 0);
        int answered = 0;
        for (int b = 1; b <= blocks; ++b) {
            s.Model().Arrays.BlockIndex = uint16_t(b);
            answered += ExchangeCode(*s.cycle, s.Model(), DataBlockRead) == 0 && s.Model().LastErrorCode == 0;
        }
        EXPECT_EQ(ExchangeCode(*s.cycle, s.Model(), InitReadStop), 0);
        return answered;
    };
    EXPECT_EQ(readArray(SpectrumReadInit, 16), 16);
    EXPECT_GT(s.Model().Arrays.SpectrumMax(), 0.0);
    int nonZero = 0;
    for (double v : s.Model().Arrays.Spectrum)
        nonZero += v != 0;
    EXPECT_GT(nonZero, 400); // the noise floor fills every block, the last one too
    EXPECT_NE(s.Model().Arrays.Spectrum[511], 0.0);

    EXPECT_EQ(readArray(SignalReadInit, 32), 32);
    int signalNonZero = 0;
    for (int32_t v : s.Model().Arrays.Signal)
        signalNonZero += v != 0;
    EXPECT_GT(signalNonZero, 900);
}

// Every fault the simulator can make ends with the status a real line
// fault of that kind gives.
TEST(TransmitterAgainstTolmSim, EveryFaultKindEndsWithItsStatus)
{
    struct Case {
        const char *fault;
        int result;
        QList<int> codes;
    };
    const Case cases[] = {
        {"no-answer", -1, {StatusCode::NoAnswer}},
        {"bad-crc", 0, {StatusCode::ChecksumError}},
        {"error", -1, {StatusCode::ErrorAnswer}},
        {"truncated", 0, {StatusCode::ReadError, StatusCode::ChecksumError}},
        {"garbage", 0, {StatusCode::ReadError, StatusCode::ChecksumError, StatusCode::CommandMismatch}},
        // The pause inside the answer is longer than the read interval: the
        // read ends with the first part, which fails its checksum.
        {"split", 0, {StatusCode::ReadError, StatusCode::ChecksumError}},
        // The parser does not check the address byte: the answer is taken.
        {"wrong-address", 0, {StatusCode::Normal}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.fault);
        Station s({"--fault-rate", "1", "--faults", c.fault, "--seed", "5"});
        ASSERT_TRUE(s.opened);
        EXPECT_EQ(ExchangeCode(*s.cycle, s.Model(), LevelAllRead), c.result);
        EXPECT_TRUE(c.codes.contains(s.Model().LastErrorCode)) << s.Model().LastErrorCode;
        if (c.codes == QList<int>{StatusCode::ErrorAnswer}) {
            EXPECT_EQ(s.Model().LastErrorText, StatusText::CannotExecute);
        }
        if (c.codes == QList<int>{StatusCode::NoAnswer}) {
            EXPECT_EQ(s.Model().LastErrorText, StatusText::NoAnswer);
        }
        EXPECT_EQ(s.Model().LinkState.AsInt(), c.codes.contains(StatusCode::Normal) ? 1 : 2);
    }
}
