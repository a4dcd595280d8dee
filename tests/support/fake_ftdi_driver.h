#pragma once

#include "link/ftdi_driver.h"

#include <QString>
#include <QStringList>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

// What a FakeFtdiDriver was asked and what it answers. Shared with the test, so it stays readable
// after the port that owns the driver is gone.
struct FakeFtdiScript {
    // Every call in order, e.g. "OpenByIndex(0)", "SetBaudRate(7,9600)", "Read(7,11)".
    QStringList calls;
    // Status answered per call name ("OpenByIndex", "Read", ...); kFtOk when absent.
    std::map<std::string, FtStatus> status;
    FtHandle handle = 7;           // handed out by a successful OpenByIndex
    std::vector<uint8_t> incoming; // bytes the device has sent; reads take from the front
    std::vector<uint8_t> outgoing; // bytes written, all writes in order
    uint32_t writeShortBy = 0;     // a successful write reports this many bytes fewer
    FtOpenFailure openFailure;     // reported after a failed OpenByIndex
    FtIoFailure ioFailure;         // reported for a failed Read or Write

    FtStatus StatusOf(const std::string& call) const {
        const auto it = status.find(call);
        return it != status.end() ? it->second : kFtOk;
    }
};

// The bridge driver of the tests: records each call and answers from a FakeFtdiScript. A read
// takes at most n bytes of incoming (a short count is what a real read time-out leaves).
class FakeFtdiDriver : public FtdiDriver {
public:
    explicit FakeFtdiDriver(std::shared_ptr<FakeFtdiScript> script) : s_(std::move(script)) {}

    FtStatus OpenByIndex(int index, FtHandle& handle) override {
        const FtStatus status = Record("OpenByIndex", {static_cast<uint32_t>(index)});
        handle = status == kFtOk ? s_->handle : 0;
        return status;
    }
    FtStatus SetBaudRate(FtHandle handle, uint32_t baudRate) override {
        return Record("SetBaudRate", {handle, baudRate});
    }
    FtStatus ResetDevice(FtHandle handle) override { return Record("ResetDevice", {handle}); }
    FtStatus SetDataCharacteristics(FtHandle handle, uint8_t wordLength, uint8_t stopBits,
                                    uint8_t parity) override {
        return Record("SetDataCharacteristics", {handle, wordLength, stopBits, parity});
    }
    FtStatus SetTimeouts(FtHandle handle, uint32_t readMs, uint32_t writeMs) override {
        return Record("SetTimeouts", {handle, readMs, writeMs});
    }
    FtStatus Read(FtHandle handle, uint8_t* buffer, uint32_t n, uint32_t& received) override {
        const FtStatus status = Record("Read", {handle, n});
        if (status != kFtOk) {
            return status;
        }
        received = std::min<uint32_t>(n, static_cast<uint32_t>(s_->incoming.size()));
        std::copy_n(s_->incoming.begin(), received, buffer);
        s_->incoming.erase(s_->incoming.begin(), s_->incoming.begin() + received);
        return kFtOk;
    }
    FtStatus Write(FtHandle handle, const uint8_t* buffer, uint32_t n, uint32_t& written) override {
        const FtStatus status = Record("Write", {handle, n});
        if (status != kFtOk) {
            return status;
        }
        written = n - std::min(n, s_->writeShortBy);
        s_->outgoing.insert(s_->outgoing.end(), buffer, buffer + written);
        return kFtOk;
    }
    FtStatus Purge(FtHandle handle, uint32_t mask) override {
        return Record("Purge", {handle, mask});
    }
    FtStatus Close(FtHandle handle) override { return Record("Close", {handle}); }
    FtOpenFailure LastOpenFailure() const override {
        return s_->StatusOf("OpenByIndex") == kFtOk ? FtOpenFailure{} : s_->openFailure;
    }
    FtIoFailure LastIoFailure() const override { return s_->ioFailure; }

private:
    FtStatus Record(const std::string& name, std::initializer_list<uint32_t> args) {
        QStringList text;
        for (const uint32_t arg : args) {
            text << QString::number(arg);
        }
        s_->calls << QString::fromStdString(name) + '(' + text.join(',') + ')';
        return s_->StatusOf(name);
    }

    std::shared_ptr<FakeFtdiScript> s_;
};
