#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtGlobal>
#include <algorithm>
#include <functional>

// With MORVANE_BENCH_SHORT set, as `make test` sets it, every measurement
// runs once: the figures show in every test log, without the wait of `make bench`.
inline int benchRuns(int runs)
{
    return qEnvironmentVariableIsSet("MORVANE_BENCH_SHORT") ? 1 : runs;
}

// The best of several runs of some work, in milliseconds.
inline double bestMs(int runs, const std::function<void()>& work)
{
    double best = 1e300;
    for (int i = 0; i < benchRuns(runs); ++i) {
        QElapsedTimer t;
        t.start();
        work();
        best = std::min(best, t.nsecsElapsed() / 1e6);
    }
    return best;
}

// The longest interval between event-loop turns while it runs: how long the
// window could not paint.
class GapMeter
{
public:
    GapMeter()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            m_longest = std::max(m_longest, m_last.nsecsElapsed() / 1e6);
            m_last.restart();
        });
        QCoreApplication::processEvents();
        m_timer.start();
        m_last.start();
    }
    // Lets the last turn happen and returns the longest gap, in milliseconds.
    double longest()
    {
        QCoreApplication::processEvents();
        m_timer.stop();
        return m_longest;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_last;
    double m_longest = 0;
};
