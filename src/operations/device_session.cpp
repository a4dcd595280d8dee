#include "operations/device_session.h"

#include "link/bridge_discovery.h"
#include "operations/status_codes.h"
#include "operations/step_relay.h"
#include "operations/usb_thread.h"

#include <QMetaObject>
#include <QThread>

#include <algorithm>
#include <utility>

namespace st = velor::status;

namespace {

// The USB serial number of the FTDI bridge whose node is path; empty for any other device.
QString BridgeSerial(const QString& path, const QString& sysfsRoot, const QString& devRoot) {
    if (path.isEmpty()) {
        return {};
    }
    for (const velor::link::FtdiBridge& bridge :
         velor::link::ListFtdiBridges(sysfsRoot.toStdString(), devRoot.toStdString())) {
        if (QString::fromStdString(bridge.devicePath) == path) {
            return QString::fromStdString(bridge.serial);
        }
    }
    return {};
}

bool LeavesConnected(ButtonOutcome outcome) {
    return outcome == ButtonOutcome::ConnectedSettings ||
           outcome == ButtonOutcome::ConnectedFirmware ||
           outcome == ButtonOutcome::ConnectedSettingsWithLoadId ||
           outcome == ButtonOutcome::FirmwareWritten;
}

} // namespace

DeviceSession::DeviceSession(SessionSeams seams, QObject* parent)
    : QObject(parent), host_(seams.host), threading_(seams.threading),
      sysfsRoot_(std::move(seams.sysfsRoot)), devRoot_(std::move(seams.devRoot)),
      port_(
          std::move(seams.driver),
          [this, report = std::move(seams.onIoError)] {
              if (report) {
                  RunOnOwnerThread(report);
              }
          },
          [this, report = std::move(seams.onDeviceLost)](const QString& device,
                                                         const QString& reason) {
              if (report) {
                  RunOnOwnerThread([&] { report(device, reason); });
              }
          }),
      device_(std::move(seams.sleeper)), context_{&port_, &device_, &readTable_, &writeTable_,
                                                  &filter_} {}

DeviceSession::~DeviceSession() {
    FinishBeforeDestruction(std::chrono::milliseconds::zero());
}

void DeviceSession::Close() {
    connected_ = false;
    port_.Close();
}

bool DeviceSession::WorkerRunning() const {
    return workerFinished_ != nullptr && !workerFinished_->load();
}

bool DeviceSession::Start(Operation operation, std::vector<uint8_t> data, EndCallback onEnd,
                          OperationOptions options, const std::vector<uint8_t>* firmwareImage) {
    if (busy_) {
        return false;
    }
    busy_ = true;
    operation_ = operation;
    options_ = options;
    onEnd_ = std::move(onEnd);
    result_ = {};
    if (operation == Operation::ReadSettings) {
        lastSettings_.reset();
    }
    if (threading_ == SessionThreading::Worker) {
        RunOnWorker(operation, std::move(data), firmwareImage);
        emit operationStarted(operation);
    } else {
        emit operationStarted(operation);
        RunHere(operation, data, firmwareImage);
    }
    return true;
}

// The end is connected before the start, so that no end, however soon, passes unseen.
void DeviceSession::RunOnWorker(Operation operation, std::vector<uint8_t> data,
                                const std::vector<uint8_t>* firmwareImage) {
    std::unique_ptr<TUsbThread> thread =
        firmwareImage != nullptr
            ? std::make_unique<TUsbThread>(operation, firmwareImage, context_, this)
            : std::make_unique<TUsbThread>(operation, std::move(data), context_, this);
    connect(thread.get(), &QThread::finished, this, [this] {
        if (busy_ && !WorkerRunning()) {
            End();
        }
    });
    steps_ = thread->Steps();
    worker_ = thread.get();
    workerFinished_ = TUsbThread::Launch(std::move(thread));
}

// An error the link raises (a table's range error) leaves through the caller, as it would from
// RunOperation itself; the session is free again.
void DeviceSession::RunHere(Operation operation, const std::vector<uint8_t>& data,
                            const std::vector<uint8_t>* firmwareImage) {
    try {
        RunOperation(operation, firmwareImage != nullptr ? *firmwareImage : data, context_,
                     result_);
    } catch (...) {
        busy_ = false;
        onEnd_ = {};
        throw;
    }
    End();
}

void DeviceSession::End() {
    busy_ = false;
    const Operation operation = *operation_;
    const OperationResult result = result_;
    const bool connection =
        operation == Operation::ConnectSettings || operation == Operation::ConnectFirmware;
    if (result.Succeeded()) {
        if (connection) {
            NoteConnection();
        } else if (operation == Operation::ReadSettings && lastSettings_) {
            emit settingsRead(*lastSettings_);
        }
    } else if (connection) {
        // A link that was not made holds no port: its lock would shut every other program out
        // of a device nobody here talks to.
        Close();
    }
    if (EndCallback onEnd = std::exchange(onEnd_, {})) {
        onEnd(result);
    }
    emit operationEnded(operation);
}

void DeviceSession::NoteConnection() {
    identity_.descriptor = device_.Descriptor;
    identity_.portPath = port_.OpenedDevice();
    identity_.usbSerial = BridgeSerial(identity_.portPath, sysfsRoot_, devRoot_);
    emit deviceConnected(identity_);
}

void DeviceSession::RunOnOwnerThread(const std::function<void()>& report) {
    if (QThread::currentThread() == thread()) {
        report();
    } else if (WorkerRunning()) {
        steps_->Run(report); // refused only late in the owner's destruction
    } else {
        QMetaObject::invokeMethod(this, report, Qt::BlockingQueuedConnection);
    }
}

// A plain wait() would deadlock: while the owner's thread sleeps in it, the worker may sit in a
// step it has handed to the owner's thread. So the owner's thread runs those steps itself, until
// the bound has passed; then the relay refuses every further step, the operation ends on the
// first refused one with its failure (which reaches no one), and wait() covers only the rest of
// its exchange, which the port's time-outs bound.
void DeviceSession::FinishBeforeDestruction(std::chrono::milliseconds bound) {
    onEnd_ = {};
    if (steps_ && !steps_->ServeUntilFinished(bound)) {
        steps_->Close();
    }
    if (worker_) {
        worker_->wait();
    }
}

void DeviceSession::AnnounceSettingsWrite(const SettingsWriteRecord& record) {
    emit settingsWritten(record);
}

void DeviceSession::AnnounceFirmwareWrite(const FirmwareWriteRecord& record) {
    emit firmwareWritten(record);
}

void DeviceSession::StepFilter::ShowStatus(const StatusReport& report) {
    session_.result_.StatusCode = report.StatusCode;
    session_.result_.DeviceTypeCode = report.DeviceTypeCode;
    StatusReport shown = report;
    shown.Quiet = session_.options_.quietSuccess && st::IsSuccess(report.StatusCode);
    session_.host_->ShowStatus(shown);
}

void DeviceSession::StepFilter::AdaptToDeviceType(int deviceTypeCode) {
    session_.host_->AdaptToDeviceType(deviceTypeCode);
}

void DeviceSession::StepFilter::ResetProgress() {
    session_.host_->ResetProgress();
}

void DeviceSession::StepFilter::ShowSettings(const std::vector<uint8_t>& image) {
    if (image.size() == kSettingsImageSize) {
        SettingsImage read;
        std::copy(image.begin(), image.end(), read.bytes().begin());
        session_.lastSettings_ = read;
    } else {
        session_.lastSettings_.reset();
    }
    if (!session_.options_.keepSettings) {
        session_.host_->ShowSettings(image);
    }
}

void DeviceSession::StepFilter::PlaceKeyIdentifier(uint64_t identifier, int keyNumber) {
    session_.host_->PlaceKeyIdentifier(identifier, keyNumber);
}

void DeviceSession::StepFilter::SetButtons(ButtonOutcome outcome) {
    session_.connected_ = LeavesConnected(outcome);
    session_.host_->SetButtons(outcome);
}
