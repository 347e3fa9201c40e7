#include "Walk.h"

#include <QElapsedTimer>
#include <QTest>

// The random walk: one short walk with a fixed seed by default; with
// SOAK_MINUTES set, fresh seeds until the time is up. SOAK_SEED replays one
// walk, SOAK_STOP only its first actions.
class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void walk();
};

namespace {
// The shortest prefix of a failing walk that still fails, by halving, for
// at most SOAK_SHRINK_SECONDS (default 90): each try is a walk of its own.
WalkResult shortestFailing(quint32 seed, const WalkResult& failed)
{
    const qint64 budget = qEnvironmentVariableIsSet("SOAK_SHRINK_SECONDS")
                              ? qEnvironmentVariableIntValue("SOAK_SHRINK_SECONDS") * 1000LL
                              : 90000;
    QElapsedTimer clock;
    clock.start();
    WalkResult shortest = failed;
    int good = 0, bad = failed.actions;
    while (bad - good > 1 && clock.elapsed() < budget) {
        const int mid = (good + bad) / 2;
        const WalkResult r = runWalk(seed, failed.actions, -1, mid);
        if (r.fault.isEmpty()) {
            good = mid;
        } else {
            bad = r.actions;
            shortest = r;
        }
    }
    return shortest;
}
} // namespace

void TestSoak::walk()
{
    const int minutes = qEnvironmentVariableIntValue("SOAK_MINUTES");
    const int actions = qEnvironmentVariableIsSet("SOAK_ACTIONS")
                            ? qEnvironmentVariableIntValue("SOAK_ACTIONS")
                            : (minutes > 0 ? 400 : 300);
    quint32 seed = qEnvironmentVariableIsSet("SOAK_SEED")
                       ? quint32(qEnvironmentVariableIntValue("SOAK_SEED"))
                       : (minutes > 0 ? quint32(QDateTime::currentMSecsSinceEpoch()) : 20241209u);
    QElapsedTimer clock;
    clock.start();
    const qint64 budget = qint64(minutes) * 60000;
    int walks = 0, run = 0, typed = 0, faults = 0;
    QStringList failures;
    do {
        const WalkResult r = runWalk(seed, actions, minutes > 0 ? budget - clock.elapsed() : -1,
                                     qEnvironmentVariableIntValue("SOAK_STOP"));
        ++walks;
        qInfo("walk %d: seed %u, %d actions, %d lines typed%s", walks, seed, r.actions,
              r.linesTyped, r.fault.isEmpty() ? "" : ", FAULT");
        run += r.actions;
        typed += r.linesTyped;
        if (qEnvironmentVariableIsSet("SOAK_STOP"))
            qInfo("%s", qPrintable(r.steps.join('\n')));
        if (!r.fault.isEmpty() && !qEnvironmentVariableIsSet("SOAK_STOP")) {
            ++faults;
            qWarning("seed %u fails after %d actions:\n  %s", seed, r.actions,
                     qPrintable(r.steps.join("\n  ")));
            const WalkResult shortest = shortestFailing(seed, r);
            failures << QString("seed %1 fails after %2 actions: %3\nshortest failing prefix "
                                "found, %4 actions:\n  %5")
                            .arg(seed)
                            .arg(r.actions)
                            .arg(r.fault)
                            .arg(shortest.actions)
                            .arg(shortest.steps.join("\n  "));
            qWarning("%s", qPrintable(failures.last()));
        }
        seed = seed * 1103515245u + 12345u;
    } while (minutes > 0 && clock.elapsed() < budget);
    qInfo("soak: %d walks, %d actions run, %d lines typed, %d faults found, %lld s", walks, run,
          typed, faults, clock.elapsed() / 1000);
    QVERIFY2(failures.isEmpty(), qPrintable(failures.join("\n\n")));
}

QTEST_MAIN(TestSoak)
#include "TestSoak.moc"
