#include "series/series_load_job.h"

#include <QMetaObject>

TSeriesLoadJob::TSeriesLoadJob(QObject *context, const TSeriesRequest &request, TDayReader reader,
                               TProgress onProgress, TDone onDone)
    : m_state(std::make_shared<TState>())
{
    m_state->onProgress = std::move(onProgress);
    m_state->onDone = std::move(onDone);
    m_thread = std::thread([state = m_state, context = QPointer<QObject>(context), request,
                            reader = std::move(reader)] {
        const auto progress = [&](int done, int total) {
            if (!state->alive.load())
                return false;
            QMetaObject::invokeMethod(
                context, [state, done, total] { if (state->alive.load() && state->onProgress) state->onProgress(done, total); },
                Qt::QueuedConnection);
            return true;
        };
        auto load = std::make_shared<TSeriesLoad>(LoadSeries(request, progress, reader));
        if (!state->alive.load())
            return;
        QMetaObject::invokeMethod(
            context, [state, load] { if (state->alive.load() && state->onDone) state->onDone(*load); },
            Qt::QueuedConnection);
    });
}

TSeriesLoadJob::~TSeriesLoadJob()
{
    m_state->alive.store(false);
    m_thread.join();
}
