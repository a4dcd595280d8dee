#pragma once

#include "link/ftdi_driver.h"

// The driver of a port that has no bridge behind it: opening finds no device, every other call
// has no handle to work on. The window uses it when it was given no driver.
class NoBridgeDriver : public FtdiDriver {
public:
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
};
