// The operation thread: the exchanges run on the worker, every window-side step on the window's
// thread while the worker waits, errors end the operation with its failure status, and the
// thread deletes itself while its finished flag stays readable.

#include "recording_host.h"
#include "sim_port.h"

#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/gui_thread_host.h"
#include "operations/operation_logic.h"
#include "operations/usb_thread.h"

#include <QPointer>
#include <QTest>

#include <stdexcept>

using Bytes = std::vector<uint8_t>;

namespace {

constexpr int kWaitMs = 10000; // upper bound only; the operations take milliseconds

// The window's side: its members, its host and the object that stands for its thread.
struct Window {
    // Connected earlier: the device object talks through the port.
    Window() {
        port.device.State().settings.assign(257, 0x5A);
        device.Port = &port;
    }

    OperationContext Context() { return {&port, &device, &readTable, &writeTable, &host}; }

    // Starts a thread for the operation and waits until it has finished and deleted itself.
    void RunToEnd(std::unique_ptr<TUsbThread> thread) {
        QPointer<TUsbThread> watch = thread.get();
        const TUsbThread::FinishedFlag finished = TUsbThread::Launch(std::move(thread));
        QTRY_VERIFY_WITH_TIMEOUT(finished->load(), kWaitMs);
        QTRY_VERIFY_WITH_TIMEOUT(watch.isNull(), kWaitMs);
        QVERIFY(finished->load()); // still readable after the thread object is gone
    }
    void Run(Operation code, Bytes input = {}) {
        RunToEnd(std::make_unique<TUsbThread>(code, std::move(input), Context(), &gui));
    }

    QObject gui;
    SimPort port;
    TVelorDevice device{[](int) {}};
    TVelorTable readTable;
    TVelorTable writeTable;
    RecordingHost host;
};

Bytes Firmware() {
    Bytes image{0x44, 0x02, 0x05, 0x00, 3, 1, 7, 0xA1, 0xA2, 0xA3, 0xA4};
    image.resize(11 + 2 * 64, 0x3C);
    image.push_back(0xEE);
    image.push_back(0xFF);
    return image;
}

} // namespace

class TestUsbThread : public QObject {
    Q_OBJECT
private slots:
    void stepsRunOnTheWindowThreadExchangesOnTheWorker();
    void eachStepHoldsTheOperation();
    void errorsEndWithTheFailureStatus_data();
    void errorsEndWithTheFailureStatus();
    void firmwareImageIsViewedNotCopied();
    void stepOnTheWindowThreadItselfRunsDirectly();
};

void TestUsbThread::stepsRunOnTheWindowThreadExchangesOnTheWorker() {
    Window window;
    window.Run(Operation::ReadSettings);

    QCOMPARE(window.host.steps,
             (QStringList{"status 11", "settings 257", "buttons ConnectedSettings", "reset"}));
    for (QThread* thread : window.host.threads) {
        QCOMPARE(thread, QThread::currentThread());
    }
    QVERIFY(window.port.ioThread != nullptr);
    QVERIFY(window.port.ioThread != QThread::currentThread());
    QCOMPARE(window.host.settings, Bytes(257, 0x5A));
}

// While a step runs (a box is open) the worker waits: nothing further reaches the window and
// the operation does not finish, however long the window keeps processing events.
void TestUsbThread::eachStepHoldsTheOperation() {
    Window window;
    int stepsWhileOpen = -1;
    window.host.onStep = [&](const QString& line) {
        if (line == "status 11") {
            const int before = static_cast<int>(window.host.steps.size());
            QTest::qWait(50);
            stepsWhileOpen = static_cast<int>(window.host.steps.size()) - before;
        }
    };
    window.Run(Operation::ReadSettings);
    QCOMPARE(stepsWhileOpen, 0);
    QCOMPARE(window.host.steps.size(), 4);
}

void TestUsbThread::errorsEndWithTheFailureStatus_data() {
    QTest::addColumn<Operation>("code");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("failingStep");
    QTest::addColumn<QStringList>("steps");

    QTest::newRow("decoding the settings read fails on the window")
        << Operation::ReadSettings << QByteArray() << "settings 257"
        << QStringList{"status 11", "settings 257", "status 37", "reset",
                       "buttons FailureReadSettings"};
    QTest::newRow("key read without a key number")
        << Operation::ReadKey << QByteArray() << QString()
        << QStringList{"status 38", "reset", "buttons FailureReadKey"};
    QTest::newRow("adaptation fails after connecting")
        << Operation::ConnectSettings << QByteArray() << "adapt 10"
        << QStringList{"status 8 type 10", "adapt 10", "status 33 type 10", "reset",
                       "buttons FailureConnectSettings"};
}

void TestUsbThread::errorsEndWithTheFailureStatus() {
    QFETCH(Operation, code);
    QFETCH(QByteArray, input);
    QFETCH(QString, failingStep);
    QFETCH(QStringList, steps);

    Window window;
    window.host.onStep = [&failingStep](const QString& line) {
        if (line == failingStep) {
            throw std::runtime_error("step failed");
        }
    };
    window.Run(code, Bytes(input.begin(), input.end()));
    QCOMPARE(window.host.steps, steps);
}

// The thread keeps a view of the window's image: nothing is copied, the image is unchanged
// afterwards and can be written again.
void TestUsbThread::firmwareImageIsViewedNotCopied() {
    Window window;
    const Bytes image = Firmware();
    for (int round = 0; round < 2; ++round) {
        window.host.steps.clear();
        window.port.device.State().firmware.reset();
        auto thread = std::make_unique<TUsbThread>(Operation::WriteFirmware, &image,
                                                   window.Context(), &window.gui);
        QVERIFY(thread->Buffer.empty());
        QCOMPARE(thread->DataLength, uint32_t(image.size()));
        window.RunToEnd(std::move(thread));
        QCOMPARE(window.host.steps, (QStringList{"status 15", "buttons FirmwareWritten", "reset"}));
        QVERIFY(window.port.device.State().firmware.has_value());
    }
    QCOMPARE(image, Firmware());
}

void TestUsbThread::stepOnTheWindowThreadItselfRunsDirectly() {
    QObject gui;
    RecordingHost recorder;
    GuiThreadHost host(&gui, &recorder);
    host.SetButtons(ButtonOutcome::ConnectedFirmware);
    QCOMPARE(recorder.steps, QStringList{"buttons ConnectedFirmware"});
}

QTEST_GUILESS_MAIN(TestUsbThread)
#include "tst_usb_thread.moc"
