#pragma once

#include "link/bridge_roots.h"
#include "link/ftdi_driver.h"

#include <QString>

#include <cstdint>
#include <map>

// The bridge driver over the kernel's tty devices (POSIX termios and poll).
//
// Index 0 is the first FTDI bridge listed under sysfs (see FindFtdiBridges), opened as
// <devRoot>/<name>; index 1 the second, and so on. A device path given at construction (the
// program's INI key [Port] Device), or chosen later (ChooseDevice), replaces the list: it is
// index 0 and the only device.
// A line is opened raw, 8N1, 9600 baud, with low latency requested from the kernel driver (the
// FTDI latency timer otherwise delays every reply by up to 16 ms; refusal, as on a
// pseudo-terminal, is ignored). Reads return as soon as n bytes have arrived, or with the short
// count once the read time-out has passed; writes return when the kernel has taken the bytes,
// or with the short count at the write time-out. A hang-up, or EIO, ENXIO or ENODEV from the
// line, means the device has gone (kFtDeviceNotFound); other errors are kFtIoError.
// An opened line is held for this program alone until it is closed (see link/port_lock.h): a
// port that another program holds fails to open at once, marked busy in LastOpenFailure.
class TtyFtdiDriver : public FtdiDriver {
public:
    explicit TtyFtdiDriver(QString devicePath = {},
                           QString sysfsRoot = velor::link::SystemSysfsRoot(),
                           QString devRoot = velor::link::SystemDevRoot());
    ~TtyFtdiDriver() override;
    TtyFtdiDriver(const TtyFtdiDriver&) = delete;
    TtyFtdiDriver& operator=(const TtyFtdiDriver&) = delete;

    FtStatus OpenByIndex(int index, FtHandle& handle) override;
    FtStatus SetBaudRate(FtHandle handle, uint32_t baudRate) override;
    FtStatus ResetDevice(FtHandle handle) override;
    FtStatus SetDataCharacteristics(FtHandle handle, uint8_t wordLength, uint8_t stopBits,
                                    uint8_t parity) override;
    FtStatus SetTimeouts(FtHandle handle, uint32_t readMs, uint32_t writeMs) override;
    FtStatus Read(FtHandle handle, uint8_t* buffer, uint32_t n, uint32_t& received) override;
    FtStatus Write(FtHandle handle, const uint8_t* buffer, uint32_t n, uint32_t& written) override;
    FtStatus Purge(FtHandle handle, uint32_t mask) override;
    FtStatus Close(FtHandle handle) override;
    FtOpenFailure LastOpenFailure() const override { return lastOpenFailure_; }
    FtIoFailure LastIoFailure() const override { return lastIoFailure_; }

    std::string OpenedPath(FtHandle handle) const override;
    void ChooseDevice(const std::string& path) override { devicePath_ = path; }
    std::string ChosenDevice() const override { return devicePath_; }
    // The device path that index would open, or empty when there is no such device.
    std::string DevicePath(int index) const;

private:
    struct Line {
        int fd = -1;
        uint32_t readTimeoutMs = 0;
        uint32_t writeTimeoutMs = 0;
        std::string path;
    };

    // Stands for a hang-up where FailIo takes an errno value: it carries none.
    static constexpr int kHangUp = -1;

    Line* Find(FtHandle handle);
    FtStatus FailOpen(const std::string& device, int error, bool busy = false);
    FtStatus FailIo(const Line& line, int error);

    std::string devicePath_;
    std::string sysfsRoot_;
    std::string devRoot_;
    std::map<FtHandle, Line> lines_;
    FtHandle nextHandle_ = 1;
    FtOpenFailure lastOpenFailure_;
    FtIoFailure lastIoFailure_;
};
