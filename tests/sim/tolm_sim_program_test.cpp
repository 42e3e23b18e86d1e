// The stand-alone tolm-sim program, started as the service engineer would
// and talked to through its pseudo-terminal.

#include "protocol/frame.h"
#include "protocol/request_layout.h"
#include "sim/answer_builder.h"
#include "support/temp_home.h"

#include <QFile>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using namespace std::chrono_literals;

// Reads from fd until `count` bytes have come or `timeout` has passed.
QByteArray readFor(int fd, qsizetype count, std::chrono::milliseconds timeout)
{
    QByteArray out;
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (out.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, int(left.count())) <= 0)
            continue;
        char buffer[256];
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        out.append(buffer, n);
    }
    return out;
}

// One running tolm-sim with its standard output and error on pipes.
class SimProgram
{
public:
    explicit SimProgram(std::vector<std::string> args)
    {
        args.insert(args.begin(), TOLM_SIM_BINARY);
        int out[2], err[2];
        if (::pipe(out) != 0 || ::pipe(err) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, err[0]);
        std::vector<char *> argv;
        for (std::string &a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
        ::close(out[1]);
        ::close(err[1]);
        m_out = out[0];
        m_err = err[0];
    }

    ~SimProgram()
    {
        if (m_port >= 0)
            ::close(m_port);
        if (m_pid > 0) {
            ::kill(m_pid, SIGKILL);
            ::waitpid(m_pid, nullptr, 0);
        }
        ::close(m_out);
        ::close(m_err);
    }

    // The first line of standard output, without its line end.
    QByteArray firstLine()
    {
        QByteArray line;
        while (!line.endsWith('\n')) {
            const QByteArray more = readFor(m_out, 1, 20s); // a sanitised build starts slowly
            if (more.isEmpty())
                break;
            line += more;
        }
        return line.trimmed();
    }

    // Opens the pseudo-terminal named on the first line, in raw mode.
    bool openPort()
    {
        const QByteArray line = firstLine();
        if (!line.startsWith("PTY /dev/"))
            return false;
        m_port = ::open(line.mid(4).constData(), O_RDWR | O_NOCTTY);
        if (m_port < 0)
            return false;
        termios t{};
        tcgetattr(m_port, &t);
        cfmakeraw(&t);
        return tcsetattr(m_port, TCSANOW, &t) == 0;
    }

    QByteArray exchange(const QByteArray &request, qsizetype answerLength,
                        std::chrono::milliseconds timeout = 3s)
    {
        if (::write(m_port, request.constData(), size_t(request.size())) != request.size())
            return {};
        return readFor(m_port, answerLength, timeout);
    }

    // Writes the address byte alone and the rest 4 ms later, as the service
    // program does on a nine-bit line.
    QByteArray exchangeAddressed(const QByteArray &request, qsizetype answerLength)
    {
        if (::write(m_port, request.constData(), 1) != 1)
            return {};
        std::this_thread::sleep_for(4ms);
        return exchange(request.mid(1), answerLength);
    }

    // Sends SIGTERM; the exit status, or -1 when it did not end in time.
    int stop()
    {
        ::kill(m_pid, SIGTERM);
        for (int i = 0; i < 100; ++i) {
            int status = 0;
            if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            }
            std::this_thread::sleep_for(50ms);
        }
        return -1;
    }

    // Waits for the program to end by itself; its exit status.
    int wait()
    {
        int status = 0;
        ::waitpid(m_pid, &status, 0);
        m_pid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    QByteArray errorOutput() { return readFor(m_err, 1 << 16, 200ms); }

private:
    pid_t m_pid = -1;
    int m_out = -1;
    int m_err = -1;
    int m_port = -1;
};

QByteArray crcFramedHex(const char *hexPayload)
{
    return AppendCrc16(QByteArray::fromHex(hexPayload));
}

} // namespace

TEST(TolmSimProgram, AnswersEchoAndMeterOnItsPseudoTerminalAndStopsOnSigterm)
{
    SimProgram sim({"--seed", "3"});
    ASSERT_TRUE(sim.openPort());
    EXPECT_EQ(sim.exchange(crcFramedHex("FF1003AA55"), 7), crcFramedHex("FF100355AA"));
    EXPECT_EQ(sim.exchangeAddressed(crcFramedHex("FF1003AA55"), 7), crcFramedHex("FF100355AA"));
    const QByteArray meter = sim.exchange(MeterRequest(), 8);
    EXPECT_EQ(meter.size(), 8);
    EXPECT_TRUE(CheckCrc8(meter));
    // A request for another address gets no answer at all.
    EXPECT_TRUE(sim.exchange(crcFramedHex("011003AA55"), 7, 300ms).isEmpty());
    EXPECT_EQ(sim.stop(), 0);
}

TEST(TolmSimProgram, OptionsSetTheFactoryStateAndTheStateFileOutlivesTheProgram)
{
    TempHome home;
    const std::string state = home.file("gauge.json").toStdString();
    {
        SimProgram sim({"--address", "5", "--plant", "4660", "--device-type", "12", "--state", state});
        ASSERT_TRUE(sim.openPort());
        const QByteArray signature = sim.exchange(crcFramedHex("0520" "01"), 10);
        ASSERT_EQ(signature.size(), 10);
        EXPECT_EQ(ByteAt(signature, 3), 12);
        EXPECT_EQ(WordAt(signature, 4), 0x1234);
        EXPECT_EQ(sim.exchange(crcFramedHex("05B3060244FA0000"), 5), crcFramedHex("05B301")); // Hmax 2000
        EXPECT_EQ(sim.exchange(crcFramedHex("05A201"), 5), crcFramedHex("05A201"));
        EXPECT_EQ(sim.stop(), 0);
    }
    // The stored memory wins over the options of the next start.
    SimProgram again({"--address", "7", "--state", state});
    ASSERT_TRUE(again.openPort());
    const QByteArray hmax = again.exchange(crcFramedHex("05B60202"), 9);
    ASSERT_EQ(hmax.size(), 9);
    EXPECT_EQ(SingleAt(hmax, 3), 2000.0f);
    EXPECT_EQ(again.stop(), 0);
}

TEST(TolmSimProgram, RefusesABadOptionWithAClearMessage)
{
    SimProgram sim({"--faults", "split,lightning"});
    EXPECT_EQ(sim.wait(), 2);
    EXPECT_TRUE(sim.errorOutput().contains("lightning"));
}

TEST(TolmSimProgram, GaugesOptionNumbersTheGaugesAndTheControlFileSilencesOrGarblesOne)
{
    TempHome home;
    const std::string control = home.file("ctl").toStdString();
    const std::string state = home.file("gauge.json").toStdString();
    SimProgram sim({"--gauges", "3", "--control", control, "--state", state});
    ASSERT_TRUE(sim.openPort());
    for (int a = 1; a <= 3; ++a) {
        const QByteArray signature = sim.exchange(AppendCrc16(QByteArray::fromHex("2001").prepend(char(a))), 10);
        ASSERT_EQ(signature.size(), 10) << a;
        EXPECT_EQ(ByteAt(signature, 0), a);
        EXPECT_EQ(WordAt(signature, 4), 1000 + a);
    }
    EXPECT_TRUE(sim.exchange(crcFramedHex("041003AA55"), 7, 300ms).isEmpty());
    EXPECT_EQ(sim.exchange(crcFramedHex("03A201"), 5), crcFramedHex("03A201"));
    EXPECT_TRUE(QFile::exists(home.file("gauge-3.json")));

    home.writeRaw("ctl", "# rehearsal: gauge 2 loses its pair\n2 silent\n");
    EXPECT_TRUE(sim.exchange(crcFramedHex("021003AA55"), 7, 300ms).isEmpty());
    EXPECT_EQ(sim.exchange(crcFramedHex("011003AA55"), 7), crcFramedHex("01100355AA"));

    home.writeRaw("ctl", "2 garbled\n");
    const QByteArray garbled = sim.exchange(crcFramedHex("021003AA55"), 7);
    EXPECT_EQ(garbled.size(), 7);
    EXPECT_FALSE(CheckCrc16(garbled));

    // A malformed file is reported and changes nothing.
    home.writeRaw("ctl", "2 asleep\n");
    EXPECT_FALSE(CheckCrc16(sim.exchange(crcFramedHex("021003AA55"), 7)));
    EXPECT_TRUE(sim.errorOutput().contains("asleep"));

    home.writeRaw("ctl", "");
    EXPECT_EQ(sim.exchange(crcFramedHex("021003AA55"), 7), crcFramedHex("02100355AA"));
    EXPECT_EQ(sim.stop(), 0);

    SimProgram both({"--gauges", "3", "--address", "5"});
    EXPECT_EQ(both.wait(), 2);
}
