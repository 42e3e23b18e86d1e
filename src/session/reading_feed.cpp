#include "session/reading_feed.h"

TReadingFeed::TReadingFeed(QObject *context) : m_context(context), m_listeners(std::make_shared<TListeners>()) {}

TReadingFeed::~TReadingFeed()
{
    std::lock_guard lock(m_listeners->mutex);
    m_listeners->alive = false;
    m_listeners->byId.clear();
}

int TReadingFeed::Subscribe(TListener listener)
{
    std::lock_guard lock(m_listeners->mutex);
    const int id = m_listeners->nextId++;
    m_listeners->byId.emplace(id, std::move(listener));
    return id;
}

void TReadingFeed::Unsubscribe(int id)
{
    std::lock_guard lock(m_listeners->mutex);
    m_listeners->byId.erase(id);
}

void TReadingFeed::Publish(const TReading &reading)
{
    if (!m_context)
        return;
    // Queued calls to one object from one thread arrive in the order they
    // were made.
    QMetaObject::invokeMethod(
        m_context.data(),
        [listeners = m_listeners, reading] {
            // Copied out of the lock: a listener may subscribe or
            // unsubscribe (itself or another) while it is called.
            std::map<int, TListener> now;
            {
                std::lock_guard lock(listeners->mutex);
                if (!listeners->alive)
                    return;
                now = listeners->byId;
            }
            for (const auto &[id, listener] : now) {
                {
                    std::lock_guard lock(listeners->mutex);
                    if (!listeners->alive || !listeners->byId.count(id))
                        continue;
                }
                listener(reading);
            }
        },
        Qt::QueuedConnection);
}
