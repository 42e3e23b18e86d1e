#include "series/series_load.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace {

struct TDayResult {
    QVector<TArchiveRow> Rows;
    QString Error;
    bool Ok = false;
};

// The days handed out to the readers and their results, taken in order.
class TDayQueue
{
public:
    TDayQueue(const TSeriesRequest &request, const TDayReader &reader, int days)
        : m_request(request), m_reader(reader), m_results(size_t(days))
    {
    }

    void Work()
    {
        for (;;) {
            const int day = m_next.fetch_add(1);
            if (day >= int(m_results.size()) || m_stop.load())
                return;
            TDayQuery query;
            query.name = m_request.Name;
            query.day = m_request.FirstDay.addDays(day);
            query.start = m_request.Start;
            query.end = m_request.Stop;
            query.filter = m_request.Filter;
            TDayResult result;
            result.Ok = m_reader(m_request.DbPath, query, result.Rows, result.Error);
            std::lock_guard lock(m_mutex);
            m_results[size_t(day)] = std::move(result);
            m_ready.notify_all();
        }
    }

    // Waits for the day's result and hands it over.
    TDayResult Take(int day)
    {
        std::unique_lock lock(m_mutex);
        m_ready.wait(lock, [&] { return m_results[size_t(day)].has_value(); });
        TDayResult result = std::move(*m_results[size_t(day)]);
        m_results[size_t(day)].reset();
        return result;
    }

    void Stop() { m_stop.store(true); }

private:
    const TSeriesRequest &m_request;
    const TDayReader &m_reader;
    std::atomic<int> m_next{0};
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::condition_variable m_ready;
    std::vector<std::optional<TDayResult>> m_results;
};

int readerCount(const TSeriesRequest &request, int days)
{
    const int wanted = request.Threads > 0 ? request.Threads : std::clamp(QThread::idealThreadCount(), 1, 4);
    return std::min(wanted, days);
}

} // namespace

TSeriesRequest TSeriesRequest::Period(const QString &dbPath, const QString &name, const QDateTime &start,
                                      const QDateTime &stop)
{
    TSeriesRequest request;
    request.DbPath = dbPath;
    request.Name = name;
    request.FirstDay = start.date();
    request.LastDay = stop.date();
    request.Start = start;
    request.Stop = stop;
    return request;
}

TSeriesLoad LoadSeries(const TSeriesRequest &request, const TLoadProgress &progress, const TDayReader &reader)
{
    TSeriesLoad load;
    if (!request.FirstDay.isValid() || !request.LastDay.isValid())
        return load;
    const qint64 last = request.FirstDay.daysTo(request.LastDay);
    if (last < 0)
        return load;
    const int days = int(last) + 1;
    TDayQueue queue(request, reader, days);
    std::vector<std::thread> readers;
    for (int i = readerCount(request, days); i > 0; --i)
        readers.emplace_back([&queue] { queue.Work(); });

    for (int day = 0; day < days; ++day) {
        TDayResult result = queue.Take(day);
        if (result.Ok)
            load.Series.AppendRows(result.Rows);
        else
            load.Errors.append(result.Error);
        if (progress && !progress(day, days - 1)) {
            load.Cancelled = day + 1 < days;
            break;
        }
    }
    queue.Stop();
    for (std::thread &t : readers)
        t.join();
    return load;
}
