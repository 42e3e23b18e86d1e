#pragma once
// A feed: values published from any thread (the request thread) for as many
// listeners as want them. Each listener is called in the user-interface
// thread, queued, in the order the values were published. A listener added
// or removed between two values sees all or none of a value; one removed is
// never called again once Unsubscribe has returned in the user-interface
// thread.
//
// The session has two: every reading of the polled gauge and the meter
// with the stamp it was archived under (the readings window, the live
// graphs, the command-line tool's output), and every exchange of a polling
// pass with each gauge of the line (the gauges window).

#include "link/reading_archive.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <mutex>

template <typename TValue>
class TFeed
{
public:
    using TListener = std::function<void(const TValue &)>;

    // context: an object of the user-interface thread.
    explicit TFeed(QObject *context) : m_context(context), m_listeners(std::make_shared<TListeners>()) {}
    ~TFeed()
    {
        std::lock_guard lock(m_listeners->mutex);
        m_listeners->alive = false;
        m_listeners->byId.clear();
    }
    TFeed(const TFeed &) = delete;
    TFeed &operator=(const TFeed &) = delete;

    // A number that names the subscription for Unsubscribe.
    int Subscribe(TListener listener)
    {
        std::lock_guard lock(m_listeners->mutex);
        const int id = m_listeners->nextId++;
        m_listeners->byId.emplace(id, std::move(listener));
        return id;
    }
    void Unsubscribe(int id)
    {
        std::lock_guard lock(m_listeners->mutex);
        m_listeners->byId.erase(id);
    }
    // From any thread.
    void Publish(const TValue &value)
    {
        if (!m_context)
            return;
        // Queued calls to one object from one thread arrive in the order
        // they were made.
        QMetaObject::invokeMethod(
            m_context.data(), [listeners = m_listeners, value] { listeners->Deliver(value); },
            Qt::QueuedConnection);
    }

private:
    // Shared with the queued deliveries, so one that arrives after the feed
    // is gone finds it marked dead and does nothing.
    struct TListeners {
        std::mutex mutex;
        bool alive = true;
        int nextId = 1;
        std::map<int, TListener> byId;

        void Deliver(const TValue &value)
        {
            // Copied out of the lock: a listener may subscribe or
            // unsubscribe (itself or another) while it is called.
            std::map<int, TListener> now;
            {
                std::lock_guard lock(mutex);
                if (!alive)
                    return;
                now = byId;
            }
            for (const auto &[id, listener] : now) {
                {
                    std::lock_guard lock(mutex);
                    if (!alive || !byId.count(id))
                        continue;
                }
                listener(value);
            }
        }
    };

    QPointer<QObject> m_context;
    std::shared_ptr<TListeners> m_listeners;
};

using TReadingFeed = TFeed<TReading>;
using TLineFeed = TFeed<TLineAnswer>;
