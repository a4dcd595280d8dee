#include "link/ftdi_usb_port.h"

#include <cerrno>
#include <utility>

namespace {
constexpr int kBridgeIndex = 0;
constexpr uint32_t kBaudRate = 9600;
constexpr uint32_t kTimeoutMs = 3000;
constexpr int kOpened = 1;
constexpr int kNotOpened = 0;
} // namespace

TFTDIUsbPort::TFTDIUsbPort(std::unique_ptr<FtdiDriver> driver, IoErrorReport onIoError)
    : driver_(std::move(driver)), onIoError_(std::move(onIoError)) {}

TFTDIUsbPort::~TFTDIUsbPort() {
    Close();
}

// Statuses of the configuration calls are ignored: the bridge counts as open once opened.
// Baud rate comes before the reset.
int TFTDIUsbPort::Open() {
    Close(); // a repeated Open must not leak the handle it replaces
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
    if (driver_->Read(Handle, buffer, n, LastRead) != kFtOk) {
        ReportIoError();
        return false;
    }
    count = LastRead;
    return LastRead == n;
}

bool TFTDIUsbPort::Write(const uint8_t* buffer, uint32_t n) {
    if (driver_->Write(Handle, buffer, n, LastWritten) != kFtOk) {
        ReportIoError();
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
    return QString::fromStdString(driver_->LastOpenFailure().device);
}

QString TFTDIUsbPort::LastOpenDeviceGroup() const {
    return QString::fromStdString(driver_->LastOpenFailure().group);
}

bool TFTDIUsbPort::LastOpenLackedPermission() const {
    const int error = driver_->LastOpenFailure().error;
    return error == EACCES || error == EPERM;
}

void TFTDIUsbPort::ReportIoError() {
    if (onIoError_) {
        onIoError_();
    }
}
