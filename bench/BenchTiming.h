#pragma once

#include <QElapsedTimer>
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
