#pragma once
// The reading feed: every reading the polling accepted, with the stamp it
// was archived under, for as many listeners as want it (the readings
// window, the live graphs, the command-line tool's output, tests).
//
// Published from any thread (the request thread); each listener is called
// in the user-interface thread, queued, in the order the readings were
// published. A listener added or removed between two readings sees all or
// none of a reading; one removed is never called again once Unsubscribe
// has returned in the user-interface thread.

#include "link/reading_archive.h"

#include <QDateTime>
#include <QObject>
#include <QPointer>
#include <QVector>

#include <functional>
#include <map>
#include <memory>
#include <mutex>

struct TReading {
    int code = -1; // the command that brought it; 101 for the meter's current
    QVector<TArchivedValue> values;
    QDateTime stamp; // as archived
};

class TReadingFeed
{
public:
    using TListener = std::function<void(const TReading &)>;

    // context: an object of the user-interface thread.
    explicit TReadingFeed(QObject *context);
    ~TReadingFeed();
    TReadingFeed(const TReadingFeed &) = delete;
    TReadingFeed &operator=(const TReadingFeed &) = delete;

    // A number that names the subscription for Unsubscribe.
    int Subscribe(TListener listener);
    void Unsubscribe(int id);
    // From any thread.
    void Publish(const TReading &reading);

private:
    QPointer<QObject> m_context;
    // Shared with the queued deliveries, so one that arrives after the feed
    // is gone finds it marked dead and does nothing.
    struct TListeners {
        std::mutex mutex;
        bool alive = true;
        int nextId = 1;
        std::map<int, TListener> byId;
    };
    std::shared_ptr<TListeners> m_listeners;
};
