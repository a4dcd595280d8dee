#pragma once

#include "link/port.h"
#include "sim/sim_device.h"

#include <QThread>

#include <algorithm>
#include <vector>

// A port wired straight to a simulated device: each frame written goes through the device's
// receiver and its replies wait to be read. A read with too few bytes waiting takes them and
// fails at once, as a timed-out read would.
class SimPort : public TPort {
public:
    explicit SimPort(velor::sim::SimState state = {}) : device(std::move(state)) {}

    velor::sim::SimDevice device;
    std::vector<uint8_t> waiting;
    int writes = 0;
    QThread* ioThread = nullptr; // the thread that moved bytes last

    int Open() override { return 1; }
    void Reserved1() override {}
    bool Read(uint8_t* buffer, uint32_t n) override {
        uint32_t count = 0;
        return ReadCounted(buffer, n, count);
    }
    bool ReadCounted(uint8_t* buffer, uint32_t n, uint32_t& count) override {
        ioThread = QThread::currentThread();
        count = std::min<uint32_t>(n, static_cast<uint32_t>(waiting.size()));
        std::copy_n(waiting.begin(), count, buffer);
        waiting.erase(waiting.begin(), waiting.begin() + count);
        return count == n;
    }
    bool Write(const uint8_t* buffer, uint32_t n) override {
        ioThread = QThread::currentThread();
        ++writes;
        for (const auto& exchange : device.Receive(buffer, n)) {
            waiting.insert(waiting.end(), exchange.reply.begin(), exchange.reply.end());
        }
        return true;
    }
    void FrameBoundary() override {}
    int Close() override { return 0; }
    void Reserved2() override {}
    void Purge() override { waiting.clear(); }
};
