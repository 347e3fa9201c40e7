#include "platform/ShutdownSignals.h"

#include <QCoreApplication>
#include <QTest>
#include <csignal>

class TestShutdownSignals : public QObject
{
    Q_OBJECT
private slots:
    void signalReachesEventLoopOnce();
};

void TestShutdownSignals::signalReachesEventLoopOnce()
{
    int calls = 0;
    installShutdownSignals([&calls] { ++calls; });
    std::raise(SIGTERM);
    // The handler runs on the event loop, not inside the signal handler.
    QCOMPARE(calls, 0);
    QTRY_COMPARE(calls, 1);
    std::raise(SIGHUP);
    QTest::qWait(100);
    QCOMPARE(calls, 1);
}

QTEST_GUILESS_MAIN(TestShutdownSignals)
#include "TestShutdownSignals.moc"
