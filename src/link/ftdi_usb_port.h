#pragma once

#include "link/ftdi_driver.h"
#include "link/port.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <memory>

// The port over the USB-serial bridge driver: opens bridge 0 at 9600 baud, 8N1, 3000 ms time-outs.
// A failed driver read or write is reported through the I/O-error callback once per call (the
// window shows its "FT_IO_ERROR" box; the command-line tool prints) and returns false; a read
// that times out short is a plain false.
// When the driver says the device is gone, the port marks itself lost instead: the lost-device
// callback reports it once, with the device and the system's reason, and every later Read and
// Write fails without a driver call or a report until the next Open. Without a lost-device
// callback the loss is reported once through the I/O-error callback.
class TFTDIUsbPort : public TPort {
public:
    using IoErrorReport = std::function<void()>;
    using DeviceLostReport = std::function<void(const QString& device, const QString& reason)>;

    explicit TFTDIUsbPort(std::unique_ptr<FtdiDriver> driver, IoErrorReport onIoError = {},
                          DeviceLostReport onDeviceLost = {});
    ~TFTDIUsbPort() override;
    TFTDIUsbPort(const TFTDIUsbPort&) = delete;
    TFTDIUsbPort& operator=(const TFTDIUsbPort&) = delete;

    int Open() override;
    void Reserved1() override {}
    bool Read(uint8_t* buffer, uint32_t n) override;
    bool ReadCounted(uint8_t* buffer, uint32_t n, uint32_t& count) override;
    bool Write(const uint8_t* buffer, uint32_t n) override;
    void FrameBoundary() override {}
    int Close() override;
    void Reserved2() override {}
    void Purge() override;
    bool DeviceLost() const override { return lost_; }

    // Why the last Open failed: the system's reason (e.g. "Отказано в доступе"). Empty when
    // the last Open succeeded, or failed because no device was found to open at all.
    QString LastOpenError() const;
    // The device path the last failed Open tried, and the group that owns it (e.g. "dialout"),
    // so the technician can be told which group to join. Empty when not known.
    QString LastOpenDevice() const;
    QString LastOpenDeviceGroup() const;
    // Whether the last Open failed for lack of permission (EACCES, EPERM): only then does
    // joining the device's group help.
    bool LastOpenLackedPermission() const;
    // Whether the last Open failed because another program holds the port.
    bool LastOpenBusy() const;
    // The device the next Open opens instead of the first bridge (a path; empty: the first
    // bridge), and the one chosen now; an open port stays as it is.
    void ChooseDevice(const QString& path);
    QString ChosenDevice() const;
    // The device path of the open bridge (e.g. "/dev/ttyUSB0", a pseudo-terminal's path); empty
    // while closed or when the driver does not tell.
    QString OpenedDevice() const;

    FtHandle Handle = 0;      // 0 while closed
    uint32_t LastWritten = 0; // count the last write reported
    uint32_t LastRead = 0;    // count the last read reported

private:
    void ReportFailure(FtStatus status);
    void ReportIoError();

    std::unique_ptr<FtdiDriver> driver_;
    IoErrorReport onIoError_;
    DeviceLostReport onDeviceLost_;
    bool lost_ = false;
};
