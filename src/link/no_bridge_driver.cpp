#include "link/no_bridge_driver.h"

FtStatus NoBridgeDriver::OpenByIndex(int, FtHandle&) {
    return kFtDeviceNotFound;
}

FtStatus NoBridgeDriver::SetBaudRate(FtHandle, uint32_t) {
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::ResetDevice(FtHandle) {
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::SetDataCharacteristics(FtHandle, uint8_t, uint8_t, uint8_t) {
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::SetTimeouts(FtHandle, uint32_t, uint32_t) {
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::Read(FtHandle, uint8_t*, uint32_t, uint32_t& received) {
    received = 0;
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::Write(FtHandle, const uint8_t*, uint32_t, uint32_t& written) {
    written = 0;
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::Purge(FtHandle, uint32_t) {
    return kFtInvalidHandle;
}

FtStatus NoBridgeDriver::Close(FtHandle) {
    return kFtInvalidHandle;
}
