#pragma once

#include <cstdint>
#include <string>

// Status values of the bridge driver calls; 0 is success.
using FtStatus = uint32_t;
// Opaque handle of an open bridge; 0 never names an open one.
using FtHandle = uint32_t;

constexpr FtStatus kFtOk = 0;
constexpr FtStatus kFtInvalidHandle = 1;
constexpr FtStatus kFtDeviceNotFound = 2; // also from Read and Write: the device has gone
constexpr FtStatus kFtDeviceNotOpened = 3;
constexpr FtStatus kFtIoError = 4;
constexpr FtStatus kFtInvalidParameter = 6;
constexpr FtStatus kFtInvalidBaudRate = 7;

// Data characteristics and purge masks as the driver calls take them.
constexpr uint8_t kFtBits8 = 8;
constexpr uint8_t kFtBits7 = 7;
constexpr uint8_t kFtStopBits1 = 0;
constexpr uint8_t kFtStopBits2 = 2;
constexpr uint8_t kFtParityNone = 0;
constexpr uint8_t kFtParityOdd = 1;
constexpr uint8_t kFtParityEven = 2;
constexpr uint32_t kFtPurgeRx = 1;
constexpr uint32_t kFtPurgeTx = 2;

// Why the last OpenByIndex failed, for telling the technician what to do about it.
struct FtOpenFailure {
    std::string device; // path that could not be opened; empty when no device was found at all
    std::string reason; // the system's reason (SystemErrorText, UTF-8); empty when none was found
    std::string group;  // group owning the device node, when known (e.g. "dialout")
    int error = 0;      // the system's error number (errno); 0 when no device was found
    bool busy = false;  // another program holds the port
};

// Why the last Read or Write failed: the line's device path and the system's reason
// (SystemErrorText, UTF-8; empty for a hang-up, which carries none).
struct FtIoFailure {
    std::string device;
    std::string reason;
};

// The USB-serial bridge driver: nine calls, each returning a status (kFtOk = success).
// Reads wait at most the read time-out and then report the short count with kFtOk; writes
// report the count written. A Read or Write that finds the device gone (unplugged, the line hung
// up) returns kFtDeviceNotFound; other failures return another status.
class FtdiDriver {
public:
    virtual ~FtdiDriver() = default;

    virtual FtStatus OpenByIndex(int index, FtHandle& handle) = 0;
    virtual FtStatus SetBaudRate(FtHandle handle, uint32_t baudRate) = 0;
    virtual FtStatus ResetDevice(FtHandle handle) = 0;
    virtual FtStatus SetDataCharacteristics(FtHandle handle, uint8_t wordLength, uint8_t stopBits,
                                            uint8_t parity) = 0;
    virtual FtStatus SetTimeouts(FtHandle handle, uint32_t readMs, uint32_t writeMs) = 0;
    virtual FtStatus Read(FtHandle handle, uint8_t* buffer, uint32_t n, uint32_t& received) = 0;
    virtual FtStatus Write(FtHandle handle, const uint8_t* buffer, uint32_t n,
                           uint32_t& written) = 0;
    virtual FtStatus Purge(FtHandle handle, uint32_t mask) = 0;
    virtual FtStatus Close(FtHandle handle) = 0;

    // Reason of the last failed OpenByIndex; all empty after a successful one.
    virtual FtOpenFailure LastOpenFailure() const { return {}; }
    // Device and reason of the last failed Read or Write.
    virtual FtIoFailure LastIoFailure() const { return {}; }
    // The device path an open handle stands for; empty when the driver does not know it.
    virtual std::string OpenedPath(FtHandle) const { return {}; }
    // The device a later OpenByIndex opens as index 0 instead of the bridges' list (a path; empty:
    // the list), and the one chosen now. Drivers without a list of their own ignore the choice.
    virtual void ChooseDevice(const std::string& /*path*/) {}
    virtual std::string ChosenDevice() const { return {}; }
};
