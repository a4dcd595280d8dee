// The step relay between an operation thread and the window's thread: steps run on the window's
// thread whether its event loop takes them or the window's thread waits for the operation
// without one, each exactly once; a closed relay refuses what has not been taken; a wait ends
// at its bound; a step's error reaches the operation thread.

#include "operations/step_relay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTest>
#include <QThread>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr auto kLongBound = 10s; // upper bound only; the steps take microseconds
constexpr int kWaitMs = 10000;
constexpr int kSteps = 3;

// The window's thread: the object that stands for it and the steps run there.
struct Window {
    QObject context;
    std::shared_ptr<StepRelay> relay = std::make_shared<StepRelay>(&context);
    std::atomic<int> steps{0};
    std::atomic<int> stepsElsewhere{0};

    void Step() {
        ++steps;
        if (QThread::currentThread() != context.thread()) {
            ++stepsElsewhere;
        }
    }
};

// How the window's thread takes the operation's steps.
enum class Taker { EventLoop, WaitingWindow };

} // namespace

Q_DECLARE_METATYPE(Taker)

class TestStepRelay : public QObject {
    Q_OBJECT
private slots:
    void stepsRunOnceOnTheWindowThread_data();
    void stepsRunOnceOnTheWindowThread();
    void closedRelayRefusesWhatIsNotTaken();
    void waitEndsAtItsBound();
    void stepErrorReachesTheOperationThread();
};

void TestStepRelay::stepsRunOnceOnTheWindowThread_data() {
    QTest::addColumn<Taker>("taker");
    QTest::newRow("the window's event loop") << Taker::EventLoop;
    // The window being destroyed: no event loop runs, the queued calls stay behind unrun.
    QTest::newRow("the window waiting without an event loop") << Taker::WaitingWindow;
}

void TestStepRelay::stepsRunOnceOnTheWindowThread() {
    QFETCH(Taker, taker);
    Window window;
    int ran = 0;
    std::thread operation([&] {
        for (int i = 0; i < kSteps; ++i) {
            ran += window.relay->Run([&] { window.Step(); }) ? 1 : 0;
        }
        window.relay->Finish();
    });
    if (taker == Taker::EventLoop) {
        QTRY_COMPARE_WITH_TIMEOUT(window.steps.load(), kSteps, kWaitMs);
    } else {
        QVERIFY(window.relay->ServeUntilFinished(kLongBound));
    }
    operation.join();
    QCoreApplication::processEvents(); // the calls left behind find nothing to run

    QCOMPARE(ran, kSteps);
    QCOMPARE(window.steps.load(), kSteps);
    QCOMPARE(window.stepsElsewhere.load(), 0);
}

// Whether or not the first step had been offered when the relay closed, neither step runs and
// the operation thread goes on.
void TestStepRelay::closedRelayRefusesWhatIsNotTaken() {
    Window window;
    std::atomic<bool> started{false};
    bool firstRan = true;
    bool secondRan = true;
    std::thread operation([&] {
        started = true;
        firstRan = window.relay->Run([&] { window.Step(); });
        secondRan = window.relay->Run([&] { window.Step(); });
        window.relay->Finish();
    });
    while (!started) {
        std::this_thread::yield();
    }
    window.relay->Close();
    operation.join();
    QCoreApplication::processEvents();

    QVERIFY(!firstRan);
    QVERIFY(!secondRan);
    QCOMPARE(window.steps.load(), 0);
}

void TestStepRelay::waitEndsAtItsBound() {
    Window window;
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!window.relay->ServeUntilFinished(20ms));
    QVERIFY(clock.elapsed() >= 20);
    window.relay->Finish();
    QVERIFY(window.relay->ServeUntilFinished(20ms));
}

void TestStepRelay::stepErrorReachesTheOperationThread() {
    Window window;
    QString error;
    bool nextRan = false;
    std::thread operation([&] {
        try {
            window.relay->Run([] { throw std::runtime_error("step failed"); });
        } catch (const std::runtime_error& e) {
            error = QString::fromUtf8(e.what());
        }
        nextRan = window.relay->Run([&] { window.Step(); });
        window.relay->Finish();
    });
    QVERIFY(window.relay->ServeUntilFinished(kLongBound));
    operation.join();

    QCOMPARE(error, QString("step failed"));
    QVERIFY(nextRan);
    QCOMPARE(window.steps.load(), 1);
}

QTEST_GUILESS_MAIN(TestStepRelay)
#include "tst_step_relay.moc"
