#pragma once
// A series load in a thread of its own, for a window that must keep
// painting (a year of days takes seconds): the progress and the result are
// delivered in the thread of a context object, queued, in order.
//
// Destroying the job cancels the load and waits for its thread; nothing is
// delivered after that, also when the context object lives on.

#include "series/series_load.h"

#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class TSeriesLoadJob
{
public:
    using TProgress = std::function<void(int done, int total)>;
    using TDone = std::function<void(TSeriesLoad &load)>;

    TSeriesLoadJob(QObject *context, const TSeriesRequest &request, TDayReader reader, TProgress onProgress,
                   TDone onDone);
    ~TSeriesLoadJob();
    TSeriesLoadJob(const TSeriesLoadJob &) = delete;
    TSeriesLoadJob &operator=(const TSeriesLoadJob &) = delete;

private:
    // Shared with the queued deliveries: a delivery that finds the job gone
    // does nothing.
    struct TState {
        std::atomic<bool> alive{true};
        TProgress onProgress;
        TDone onDone;
    };
    std::shared_ptr<TState> m_state;
    std::thread m_thread;
};
