#pragma once
// What the soaks of the program with its windows measure: the length of the
// run (TOLM_SOAK_SECONDS), the resident set and the live heap, and the
// event loop of the user-interface thread, watched through a 10 ms timer:
// the longest gap between two ticks, and the longest stall (the gap less the
// time the thread stood ready while other processes had the processors).

#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <optional>

#if defined(__SANITIZE_ADDRESS__)
#define TOLM_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TOLM_ASAN 1
#endif
#endif
#ifdef TOLM_ASAN
// AddressSanitizer's own count (declared here: GCC ships no header for it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

// The length of a run (TOLM_SOAK_SECONDS, ten minutes without it), and when
// its memory baseline is taken: after the first minute, a quarter into a
// short try. None for a length that is no whole number of seconds above 0.
struct TSoakLength {
    qint64 durationMs = 0;
    qint64 baselineAtMs = 0;
};
inline std::optional<TSoakLength> SoakLength()
{
    const QByteArray text = qgetenv("TOLM_SOAK_SECONDS");
    bool ok = true;
    const int seconds = text.isEmpty() ? 600 : text.toInt(&ok);
    if (!ok || seconds <= 0)
        return std::nullopt;
    const qint64 durationMs = qint64(seconds) * 1000;
    return TSoakLength{durationMs, qMin<qint64>(60000, durationMs / 4)};
}

inline double ResidentMb()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return -1;
    return double(fields.at(1).toLongLong()) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The scheduler's account of the calling thread: how long it ran and how
// long it stood ready while other processes had the processors. A gap of
// the event loop made of waiting for a processor is the machine's load, not
// the program's stall.
class TThreadSchedule
{
public:
    TThreadSchedule() : m_fd(::open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC)) {}
    ~TThreadSchedule()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    TThreadSchedule(const TThreadSchedule &) = delete;
    TThreadSchedule &operator=(const TThreadSchedule &) = delete;

    // Nanoseconds run and waited since the thread began; zeros when the
    // kernel keeps no such account.
    void Read(qint64 &runNs, qint64 &waitNs) const
    {
        runNs = waitNs = 0;
        char text[96] = {};
        if (m_fd < 0 || ::pread(m_fd, text, sizeof text - 1, 0) <= 0)
            return;
        long long run = 0, wait = 0;
        if (std::sscanf(text, "%lld %lld", &run, &wait) == 2) {
            runNs = run;
            waitNs = wait;
        }
    }

private:
    int m_fd;
};

// Bytes held by live allocations; -1 without AddressSanitizer.
inline double LiveHeapMb()
{
#ifdef TOLM_ASAN
    return double(__sanitizer_get_current_allocated_bytes()) / (1024.0 * 1024.0);
#else
    return -1;
#endif
}

// Ticks every TickMs in the thread that starts it and keeps the longest gap
// and the longest stall with where they were.
class TEventLoopWatch
{
public:
    static constexpr int TickMs = 10;
    struct TGap {
        double ms = 0;     // between the ticks
        double runMs = 0;  // of it, the thread running
        double waitMs = 0; // of it, the thread ready but not running
        double atS = 0;    // seconds into the run
        double StallMs() const { return ms - waitMs; }
    };

    TEventLoopWatch()
    {
        m_tick.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { tick(); });
    }
    // `run`: the clock of the run, for the times of the gaps.
    void Start(const QElapsedTimer &run)
    {
        m_run = &run;
        m_schedule.Read(m_lastRunNs, m_lastWaitNs);
        m_sinceTick.start();
        m_tick.start(TickMs);
    }
    void Stop() { m_tick.stop(); }

    TGap LongestGap;
    TGap LongestStall;
    int GapsOver50Ms = 0;

private:
    void tick()
    {
        qint64 runNs = 0, waitNs = 0;
        m_schedule.Read(runNs, waitNs);
        const TGap gap{double(m_sinceTick.nsecsElapsed()) / 1e6, double(runNs - m_lastRunNs) / 1e6,
                       double(waitNs - m_lastWaitNs) / 1e6, double(m_run->elapsed()) / 1000};
        m_sinceTick.restart();
        m_lastRunNs = runNs;
        m_lastWaitNs = waitNs;
        GapsOver50Ms += gap.ms > 50 ? 1 : 0;
        if (gap.ms > LongestGap.ms)
            LongestGap = gap;
        if (gap.StallMs() > LongestStall.StallMs())
            LongestStall = gap;
    }

    QTimer m_tick;
    const TThreadSchedule m_schedule;
    const QElapsedTimer *m_run = nullptr;
    QElapsedTimer m_sinceTick;
    qint64 m_lastRunNs = 0, m_lastWaitNs = 0;
};
