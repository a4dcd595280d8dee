#include "link/ftdi_usb_port.h"

#include "link/native_path.h"

#include <cerrno>
#include <utility>

namespace {
constexpr int kBridgeIndex = 0;
constexpr uint32_t kBaudRate = 9600;
constexpr uint32_t kTimeoutMs = 3000;
constexpr int kOpened = 1;
constexpr int kNotOpened = 0;
} // namespace

TFTDIUsbPort::TFTDIUsbPort(std::unique_ptr<FtdiDriver> driver, IoErrorReport onIoError,
                           DeviceLostReport onDeviceLost)
    : driver_(std::move(driver)), onIoError_(std::move(onIoError)),
      onDeviceLost_(std::move(onDeviceLost)) {}

TFTDIUsbPort::~TFTDIUsbPort() {
    Close();
}

// Statuses of the configuration calls are ignored: the bridge counts as open once opened.
// Baud rate comes before the reset.
int TFTDIUsbPort::Open() {
    Close(); // a repeated Open must not leak the handle it replaces
    lost_ = false;
    FtHandle handle = 0;
    if (driver_->OpenByIndex(kBridgeIndex, handle) != kFtOk || handle == 0) {
        return kNotOpened;
    }
    Handle = handle;
    driver_->SetBaudRate(Handle, kBaudRate);
    driver_->ResetDevice(Handle);
    driver_->SetDataCharacteristics(Handle, kFtBits8, kFtStopBits1, kFtParityNone);
    driver_->SetTimeouts(Handle, kTimeoutMs, kTimeoutMs);
    return kOpened;
}

bool TFTDIUsbPort::Read(uint8_t* buffer, uint32_t n) {
    uint32_t count = 0;
    return ReadCounted(buffer, n, count);
}

bool TFTDIUsbPort::ReadCounted(uint8_t* buffer, uint32_t n, uint32_t& count) {
    if (lost_) {
        return false;
    }
    const FtStatus status = driver_->Read(Handle, buffer, n, LastRead);
    if (status != kFtOk) {
        ReportFailure(status);
        return false;
    }
    count = LastRead;
    return LastRead == n;
}

bool TFTDIUsbPort::Write(const uint8_t* buffer, uint32_t n) {
    if (lost_) {
        return false;
    }
    const FtStatus status = driver_->Write(Handle, buffer, n, LastWritten);
    if (status != kFtOk) {
        ReportFailure(status);
        return false;
    }
    return LastWritten == n;
}

int TFTDIUsbPort::Close() {
    if (Handle == 0) {
        return static_cast<int>(kFtOk);
    }
    const FtStatus status = driver_->Close(Handle);
    Handle = 0;
    return static_cast<int>(status);
}

void TFTDIUsbPort::Purge() {
    driver_->Purge(Handle, kFtPurgeRx | kFtPurgeTx);
}

QString TFTDIUsbPort::LastOpenError() const {
    return QString::fromStdString(driver_->LastOpenFailure().reason);
}

QString TFTDIUsbPort::LastOpenDevice() const {
    return velor::PathFromNative(QByteArray::fromStdString(driver_->LastOpenFailure().device));
}

QString TFTDIUsbPort::LastOpenDeviceGroup() const {
    return QString::fromStdString(driver_->LastOpenFailure().group);
}

// A gone device is reported once, and marks the port so that nothing after it reaches the driver
// or the technician; any other failure is reported for each call that meets it.
void TFTDIUsbPort::ReportFailure(FtStatus status) {
    if (status != kFtDeviceNotFound) {
        ReportIoError();
        return;
    }
    lost_ = true;
    if (!onDeviceLost_) {
        ReportIoError();
        return;
    }
    const FtIoFailure failure = driver_->LastIoFailure();
    onDeviceLost_(QString::fromStdString(failure.device), QString::fromStdString(failure.reason));
}

bool TFTDIUsbPort::LastOpenLackedPermission() const {
    const int error = driver_->LastOpenFailure().error;
    return error == EACCES || error == EPERM;
}

void TFTDIUsbPort::ChooseDevice(const QString& path) {
    driver_->ChooseDevice(velor::NativePath(path).toStdString());
}

QString TFTDIUsbPort::ChosenDevice() const {
    return velor::PathFromNative(QByteArray::fromStdString(driver_->ChosenDevice()));
}

bool TFTDIUsbPort::LastOpenBusy() const {
    return driver_->LastOpenFailure().busy;
}

void TFTDIUsbPort::ReportIoError() {
    if (onIoError_) {
        onIoError_();
    }
}

QString TFTDIUsbPort::OpenedDevice() const {
    return Handle == 0 ? QString() : QString::fromStdString(driver_->OpenedPath(Handle));
}
