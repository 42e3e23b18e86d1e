#pragma once
// Polling passes as the program runs them, for tests whose thread is the
// user-interface thread: each pass runs in the request thread while this
// thread serves its hand-overs. Header only: for test programs that link
// the link layer.

#include "link/request_thread.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

// Runs `count` passes one after another (starting the thread when needed).
inline void RunPasses(TRequestThread &thread, int count)
{
    if (!thread.isRunning())
        thread.start();
    for (int i = 0; i < count; ++i) {
        const quint64 before = thread.Passes();
        ASSERT_TRUE(thread.Resume());
        QElapsedTimer waited;
        waited.start();
        while (thread.Passes() == before) {
            ASSERT_LT(waited.elapsed(), 20000) << "a polling pass did not end";
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        }
    }
}
