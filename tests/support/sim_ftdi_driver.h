#pragma once

#include "link/ftdi_driver.h"
#include "sim/sim_device.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

// A bridge driver wired straight to a simulated device, without a pseudo-terminal: each frame
// written goes through the device's receiver and its replies wait to be read; a read with too few
// bytes waiting takes them and returns the short count, as a timed-out read would. Once the
// device has dropped the line, reads and writes find it gone. opensLeft limits how many opens
// succeed (negative: all); path is the device node the driver says it has opened. Usable from one
// thread at a time (a session's worker, then the test's own).
class SimFtdiDriver : public FtdiDriver {
public:
    static constexpr const char* kPath = "/dev/sim580";

    explicit SimFtdiDriver(velor::sim::SimState state, int opensLeft = -1, std::string path = kPath)
        : device_(std::make_shared<velor::sim::SimDevice>(std::move(state))), opensLeft_(opensLeft),
          path_(std::move(path)) {}

    // The device, shared with the test to look at what it stores.
    const std::shared_ptr<velor::sim::SimDevice>& Device() const { return device_; }

    FtStatus OpenByIndex(int, FtHandle& handle) override {
        if (opensLeft_ == 0) {
            return kFtDeviceNotFound;
        }
        if (opensLeft_ > 0) {
            --opensLeft_;
        }
        handle = 1;
        waiting_.clear();
        return kFtOk;
    }
    FtStatus SetBaudRate(FtHandle, uint32_t) override { return kFtOk; }
    FtStatus ResetDevice(FtHandle) override { return kFtOk; }
    FtStatus SetDataCharacteristics(FtHandle, uint8_t, uint8_t, uint8_t) override { return kFtOk; }
    FtStatus SetTimeouts(FtHandle, uint32_t, uint32_t) override { return kFtOk; }
    FtStatus Read(FtHandle, uint8_t* buffer, uint32_t n, uint32_t& received) override {
        received = std::min<uint32_t>(n, static_cast<uint32_t>(waiting_.size()));
        std::copy_n(waiting_.begin(), received, buffer);
        waiting_.erase(waiting_.begin(), waiting_.begin() + received);
        return received < n && device_->HungUp() ? kFtDeviceNotFound : kFtOk;
    }
    FtStatus Write(FtHandle, const uint8_t* buffer, uint32_t n, uint32_t& written) override {
        if (device_->HungUp()) {
            written = 0;
            return kFtDeviceNotFound;
        }
        for (const auto& exchange : device_->Receive(buffer, n)) {
            waiting_.insert(waiting_.end(), exchange.reply.begin(), exchange.reply.end());
        }
        written = n;
        return kFtOk;
    }
    FtStatus Purge(FtHandle, uint32_t) override {
        waiting_.clear();
        return kFtOk;
    }
    FtStatus Close(FtHandle) override { return kFtOk; }
    FtIoFailure LastIoFailure() const override { return {path_, {}}; }
    std::string OpenedPath(FtHandle) const override { return path_; }

private:
    std::shared_ptr<velor::sim::SimDevice> device_;
    int opensLeft_;
    std::string path_;
    std::vector<uint8_t> waiting_;
};
