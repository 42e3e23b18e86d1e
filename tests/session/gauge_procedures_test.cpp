// The operator's commands with retries and the array reads, on the
// simulated gauge behind a scripted line, with a clock that records every
// pause among the frames sent.

#include "values/clock.h"
#include "archive/day_folder.h"
#include "protocol/command_codes.h"
#include "device/tolm472.h"
#include "protocol/frame.h"
#include "session/array_read.h"
#include "session/command_sender.h"
#include "link/request_cycle.h"
#include "session/gauge_session.h"
#include "session/ui_hand_over.h"
#include "session/array_read.h"
#include "session/command_sender.h"
#include "session/rom_store.h"
#include "sim/answer_builder.h"
#include "support/core_application.h"
#include "support/exchange_code.h"
#include "support/temp_home.h"

#include "link/scripted_line.h"
#include "support/recording_operator.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

// The command a frame carries, as the events list names it.
QString describe(const QByteArray &frame)
{
    const QByteArray payload = frame.left(frame.size() - 2);
    const auto is = [&](std::initializer_list<int> bytes) {
        QByteArray b;
        for (int x : bytes)
            b.append(char(x));
        return payload.mid(1) == b;
    };
    if (is({0xB1, 0x03, 0x28, 0x28}))
        return QStringLiteral("InitReadStop");
    if (is({0xB1, 0x03, 0x14, 0x1E}))
        return QStringLiteral("SpectrumReadInit");
    if (is({0xB1, 0x03, 0x14, 0x14}))
        return QStringLiteral("SignalReadInit");
    if (ByteAt(payload, 1) == 0xA8)
        return QStringLiteral("block %1").arg(WordAt(payload, 3) / 32 + 1);
    if (ByteAt(payload, 1) == 0xA2)
        return QStringLiteral("WriteToPZU");
    return QStringLiteral("function %1").arg(ByteAt(payload, 1), 2, 16, QLatin1Char('0'));
}

// Stands still but for the pauses asked of it, each of which it records.
class RecordingClock final : public TClock
{
public:
    RecordingClock(const QDateTime &start, QStringList &events) : m_now(start), m_events(events) {}
    QDateTime Now() const override { return m_now; }
    void Pause(int ms) override
    {
        m_now = m_now.addMSecs(ms);
        m_events.append(QStringLiteral("pause %1").arg(ms));
    }

private:
    QDateTime m_now;
    QStringList &m_events;
};

class GaugeProceduresTest : public ::testing::Test
{
protected:
    GaugeProceduresTest()
        : clock(QDateTime(QDate(2026, 12, 8), QTime(10, 15, 30)), events), model(home.path()),
          handOver(&uiContext), cycle(model, line, home.path()), sender(cycle, model, handOver, host)
    {
        EnsureCoreApplication();
        SetClock(&clock);
        m_oldDir = QDir::currentPath();
        QDir::setCurrent(home.path()); // the exchange log lands there
        model.SetErrorMax(1);
        ConnectModel(cycle, model, uiContext);
        answer = [this](const QByteArray &frame) { return line.sim().answer(frame, false).bytes(); };
        line.setScript([this](TTransmitMode, const QByteArray &frame) {
            events.append(describe(frame));
            return answer(frame);
        });
        counters.Reset(clock.Now());
    }
    ~GaugeProceduresTest() override
    {
        DisconnectModel(cycle, model);
        SetClock(nullptr);
        QDir::setCurrent(m_oldDir);
    }

    QString dbPath() const { return home.file(QStringLiteral("DATA")); }
    QStringList dayFiles() const
    {
        return QDir(DayFolder(dbPath(), clock.Now().date())).entryList(QDir::Files, QDir::Name);
    }

    TempHome home;
    QStringList events;
    RecordingClock clock;
    QObject uiContext;
    Ttolm472 model;
    ScriptedLine line;
    TUiHandOver handOver;
    TRequestCycle cycle;
    RecordingHost host;
    TCommandSender sender;
    TCaptureCounters counters;
    std::function<QByteArray(const QByteArray &)> answer;

private:
    QString m_oldDir;
};

QStringList repeat(const QString &event, int times)
{
    QStringList out;
    for (int i = 0; i < times; ++i)
        out.append(event);
    return out;
}

} // namespace

TEST_F(GaugeProceduresTest, RetriesShowTheRepeatTextAndStopAtTheFirstAcceptedAnswer)
{
    int calls = 0;
    answer = [&](const QByteArray &frame) {
        return ++calls < 3 ? QByteArray() : line.sim().answer(frame, false).bytes();
    };
    EXPECT_TRUE(sender.SendCommandWithRetries(HmaxRead, QStringLiteral("Считать Hmax из прибора"), 5));
    EXPECT_EQ(calls, 3);
    EXPECT_EQ(host.calls, (QStringList{"progress Повтор команды Считать Hmax из прибора 1/5",
                                       "progress Повтор команды Считать Hmax из прибора 2/5",
                                       "progress Повтор команды Считать Hmax из прибора 3/5", "close"}));
    EXPECT_TRUE(host.messages.isEmpty());
}

// A write keeps the value it was started with through its retries, whatever
// the model takes meanwhile (a parameter set loaded, the parameters window).
TEST_F(GaugeProceduresTest, AWriteKeepsTheValueItWasStartedWith)
{
    model.Config.SetHmax(12000);
    QList<QByteArray> frames;
    answer = [&](const QByteArray &frame) {
        frames.append(frame);
        if (frames.size() == 1) {
            model.Config.SetHmax(9000); // before the retry is sent
            return QByteArray(); // the first attempt goes unanswered
        }
        return line.sim().answer(frame, false).bytes();
    };
    EXPECT_TRUE(sender.SendCommandWithRetries(HmaxWrite, QStringLiteral("Hmax"), TCommandSender::Attempts));
    ASSERT_EQ(frames.size(), 2);
    EXPECT_EQ(frames[0], frames[1]);
    EXPECT_FLOAT_EQ(SingleAt(frames[1], 4), 12000.0f);
}

TEST_F(GaugeProceduresTest, AnswersThatFailTheirChecksAreRetriedAndNeverPassForSuccess)
{
    model.Config.SetHmax(12000);
    // The gauge answers every time, but each answer arrives damaged: the
    // exchange itself counts it as answered, the command must not.
    answer = [&](const QByteArray &frame) {
        QByteArray a = line.sim().answer(frame, false).bytes();
        a[a.size() - 1] = char(a.at(a.size() - 1) ^ 0x5A);
        return a;
    };
    EXPECT_EQ(ExchangeCode(cycle, model, HmaxRead), 0);
    events.clear();
    EXPECT_FALSE(sender.SendCommandWithRetries(HmaxRead, QStringLiteral("Считать Hmax из прибора"), 5));
    EXPECT_EQ(events.size(), 5);
    EXPECT_DOUBLE_EQ(model.Config.Hmax(), 12000);
    sender.ReportFailure(QStringLiteral("Считать Hmax из прибора"));
    EXPECT_EQ(host.messages, QStringList{"Не выполнена команда\rСчитать Hmax из прибора"});

    // The gauge's error answer, a short answer and a function the program
    // does not know fail as well.
    for (const QByteArray &bad : {AnswerError(0xFF, 2), AppendCrc16(QByteArray::fromHex("FFB60200")),
                                  AnswerRegisters(0xFF, std::array<uint16_t, 2>{1, 2})}) {
        answer = [&](const QByteArray &) { return bad; };
        EXPECT_FALSE(sender.Exchange(HmaxRead)) << BytesToHex(bad).toStdString();
    }
    // With a failure threshold above one the refusal does not reach the
    // status yet, and is still no success.
    model.SetErrorMax(3);
    answer = [&](const QByteArray &) { return AppendCrc16(QByteArray::fromHex("FFB60200")); };
    EXPECT_FALSE(sender.Exchange(HmaxRead));
    EXPECT_EQ(model.LastErrorCode, 0);
}

TEST_F(GaugeProceduresTest, StoreToRomWaitsForTheGaugeEvenWhenItFails)
{
    EXPECT_TRUE(StoreToRom(sender));
    EXPECT_EQ(events, (QStringList{"WriteToPZU", "pause 1000"}));
    answer = [](const QByteArray &) { return QByteArray(); };
    events.clear();
    EXPECT_FALSE(StoreToRom(sender));
    EXPECT_EQ(events, repeat("WriteToPZU", 5) + QStringList{"pause 1000"});
    EXPECT_EQ(host.messages, QStringList{"Не выполнена команда\rЗаписать параметры в ПЗУ"});
}

TEST_F(GaugeProceduresTest, SpectrumReadKeepsTheOrderAndPausesOfTheProgram)
{
    const TArrayReadResult result = ReadSpectrum(sender, host, counters, dbPath());

    QStringList expected{"InitReadStop", "SpectrumReadInit", "pause 1000"};
    for (int b = 1; b <= 16; ++b)
        expected << QStringLiteral("block %1").arg(b) << "pause 200";
    expected << "pause 1000" << "InitReadStop";
    EXPECT_EQ(events, expected);

    EXPECT_TRUE(result.Complete());
    EXPECT_EQ(result.BlocksRead, 16);
    EXPECT_EQ(counters.SpectrumFileCounter, 1);
    EXPECT_EQ(counters.SignalFileCounter, 0);
    EXPECT_DOUBLE_EQ(model.Arrays.SpectrumMax(), 10000); // the simulated echo
    EXPECT_EQ(model.Arrays.ArrayKind, 0);

    // Progress: the two init retries, sixteen blocks, the stop retry; then
    // the refresh and the spectrum shown before the files are written.
    EXPECT_EQ(host.calls.mid(0, 4),
              (QStringList{"progress Повтор команды Инициализация чтения массива данных 1/5", "close",
                           "progress Повтор команды Инициализация чтения массива данных 1/5", "close"}));
    EXPECT_EQ(host.calls.at(4), QStringLiteral("progress Чтение массива спектра 1/16"));
    EXPECT_EQ(host.calls.at(19), QStringLiteral("progress Чтение массива спектра 16/16"));
    EXPECT_EQ(host.calls.mid(20),
              (QStringList{"progress Повтор команды Завершение чтения массива данных 1/5", "close", "close",
                           "update", "show spectrum"}));

    // 10:15:30 plus the 5.2 s of pauses is still the start's day.
    EXPECT_EQ(dayFiles(), (QStringList{"Spectrum_20261208_101530_0000.txt", "Spectrum_20261208_101530_0001.txt"}));
    EXPECT_EQ(result.Files.size(), 2);

    // The next read continues the numbering; the summary is written once.
    ReadSpectrum(sender, host, counters, dbPath());
    EXPECT_EQ(counters.SpectrumFileCounter, 2);
    EXPECT_EQ(dayFiles().size(), 3);
    EXPECT_TRUE(dayFiles().contains(QStringLiteral("Spectrum_20261208_101530_0002.txt")));
}

TEST_F(GaugeProceduresTest, SignalReadHasNoPauseBetweenItsThirtyTwoBlocks)
{
    const TArrayReadResult result = ReadSignal(sender, host, counters, dbPath());
    QStringList expected{"InitReadStop", "SignalReadInit", "pause 1000"};
    for (int b = 1; b <= 32; ++b)
        expected << QStringLiteral("block %1").arg(b);
    expected << "pause 1000" << "InitReadStop";
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(result.Complete());
    EXPECT_EQ(counters.SignalFileCounter, 1);
    // The signal is written before it is shown.
    EXPECT_EQ(host.calls.last(), QStringLiteral("show signal"));
    EXPECT_EQ(dayFiles(), (QStringList{"Signal_20261208_101530_0000.txt", "Signal_20261208_101530_0001.txt"}));
    const auto &signal = model.Arrays.Signal;
    const int nonZero = int(std::count_if(signal.begin(), signal.end(), [](int32_t s) { return s != 0; }));
    EXPECT_GT(nonZero, 1000);
}

TEST_F(GaugeProceduresTest, FailingInitIsReportedAndEndsTheReadWithoutAFile)
{
    model.Arrays.Spectrum.fill(7);
    answer = [&](const QByteArray &frame) {
        return describe(frame) == QStringLiteral("SpectrumReadInit") ? QByteArray()
                                                                     : line.sim().answer(frame, false).bytes();
    };
    const TArrayReadResult result = ReadSpectrum(sender, host, counters, dbPath());
    EXPECT_FALSE(result.Initialised);
    EXPECT_EQ(events, QStringList{"InitReadStop"} + repeat("SpectrumReadInit", 5));
    EXPECT_EQ(host.messages, QStringList{"Не выполнена команда\rИнициализациия чтения массива спектра"});
    EXPECT_EQ(counters.SpectrumFileCounter, 0);
    EXPECT_TRUE(dayFiles().isEmpty());
    EXPECT_DOUBLE_EQ(model.Arrays.SpectrumMax(), 0); // cleared before the read began

    answer = [&](const QByteArray &frame) {
        return describe(frame) == QStringLiteral("SignalReadInit") ? QByteArray()
                                                                   : line.sim().answer(frame, false).bytes();
    };
    ReadSignal(sender, host, counters, dbPath());
    EXPECT_EQ(host.messages.last(), QStringLiteral("Не выполнена команда\rИнициализациия чтения массива сигнала"));
    EXPECT_TRUE(dayFiles().isEmpty());
}

TEST_F(GaugeProceduresTest, SilentBlockKeepsItsZerosAndAFailedStopStillWritesTheFiles)
{
    answer = [&](const QByteArray &frame) {
        const QString what = describe(frame);
        const bool stopAfterBlocks = what == QStringLiteral("InitReadStop") && events.size() > 3;
        if (what == QStringLiteral("block 3") || stopAfterBlocks)
            return QByteArray();
        return line.sim().answer(frame, false).bytes();
    };
    const TArrayReadResult result = ReadSpectrum(sender, host, counters, dbPath());
    EXPECT_TRUE(result.Initialised);
    EXPECT_EQ(result.BlocksRead, 15);
    EXPECT_FALSE(result.Stopped);
    EXPECT_TRUE(result.Saved);
    EXPECT_FALSE(result.Complete());
    EXPECT_EQ(events.count(QStringLiteral("block 3")), 5);
    EXPECT_EQ(events.count(QStringLiteral("block 4")), 1);
    for (int i = 64; i < 96; ++i)
        EXPECT_EQ(model.Arrays.Spectrum[size_t(i)], 0) << i;
    EXPECT_GT(model.Arrays.Spectrum[96], 0);
    EXPECT_EQ(host.messages, QStringList{"Не выполнена команда\rЗавершение чтения массива данных"});
    EXPECT_EQ(dayFiles().size(), 2);
}

TEST_F(GaugeProceduresTest, UnwritableArchiveIsReportedAndTheCommandStaysUsable)
{
    home.writeRaw(QStringLiteral("DATA"), "a file where the archive folder should be");
    const TArrayReadResult result = ReadSignal(sender, host, counters, dbPath());
    EXPECT_FALSE(result.Saved);
    ASSERT_EQ(host.errors.size(), 1);
    EXPECT_TRUE(host.errors.first().startsWith(QStringLiteral("Не удалось создать папку "))) << host.errors.first().toStdString();
    EXPECT_EQ(host.calls.last(), QStringLiteral("show signal"));
}

TEST_F(GaugeProceduresTest, SummaryValuesFollowTheWorkstationFormat)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    model.SetSystemAddress(12);
    model.Config.SetPlantNumber(4321);
    model.Identity.HardVersion = 3;
    model.Identity.SoftVersion = 2;
    model.Config.SetHmax(15000);
    model.Config.SetLmax(12345.6);
    model.Config.SetKKalman(0.5);
    model.Config.SetKrPer(146.243);
    model.Config.SetSmPer(-1234567.5);
    const TSummaryValues values = ParameterSummaryValues(model);
    QLocale::setDefault(previous);
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(values, (TSummaryValues{"12", "4321", "3", "2", "15" + nbsp + "000", "12" + nbsp + "346", "1", "146",
                                      "-1" + nbsp + "234" + nbsp + "568"}));
}
