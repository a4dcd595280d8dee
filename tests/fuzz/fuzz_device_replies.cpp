// The device's replies, as arbitrary bytes, through the port seam into every operation the
// program runs (connect in both work modes, settings write and read, key read, firmware upload):
// the first input byte chooses the operation, the rest is everything the "device" sends, served
// to the reads in order. A transfer runs after its work mode's connect, as in the window and the
// command-line tool, and only when the connect succeeded. The operation must end in an orderly way,
// and what it hands the window must agree with how it ended.

#include "link/port.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/operation_host.h"
#include "operations/operation_logic.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

constexpr int kOperationCount = 6; // operation codes 0..5
constexpr std::size_t kSettingsSize = 257;
constexpr std::size_t kFirmwareSize = 13 + 2 * 64;   // header, two payload blocks, trailer
constexpr uint64_t kKeyIdentifierLimit = 1ull << 48; // six bytes
constexpr uint8_t kKeyNumber = 1;

// Serves the input as the device's side of the line; every write is taken whole.
class ReplayPort : public TPort {
public:
    ReplayPort(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    int Open() override { return 1; }
    void Reserved1() override {}
    bool Read(uint8_t* buffer, uint32_t n) override {
        uint32_t count = 0;
        return ReadCounted(buffer, n, count);
    }
    bool ReadCounted(uint8_t* buffer, uint32_t n, uint32_t& count) override {
        count = static_cast<uint32_t>(std::min<std::size_t>(n, size_ - position_));
        std::copy_n(data_ + position_, count, buffer);
        position_ += count;
        return count == n;
    }
    bool Write(const uint8_t*, uint32_t) override { return true; }
    void FrameBoundary() override {}
    int Close() override { return 0; }
    void Reserved2() override {}
    void Purge() override {}

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

// Keeps what the operation handed over, to check it against the outcome.
class CheckingHost : public OperationHost {
public:
    void ShowStatus(const StatusReport&) override {}
    void AdaptToDeviceType(int) override {}
    void ResetProgress() override {}
    void ShowSettings(const std::vector<uint8_t>& image) override {
        ++settingsShown;
        if (image.size() != kSettingsSize) {
            std::abort();
        }
    }
    void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) override {
        ++keysPlaced;
        if (identifier >= kKeyIdentifierLimit || keyNumber != kKeyNumber) {
            std::abort();
        }
    }
    void SetButtons(ButtonOutcome) override {}

    int settingsShown = 0;
    int keysPlaced = 0;
};

std::vector<uint8_t> InputFor(Operation operation) {
    std::vector<uint8_t> input;
    if (operation == Operation::WriteSettings) {
        input.resize(kSettingsSize);
    } else if (operation == Operation::ReadKey) {
        input.push_back(kKeyNumber);
    } else if (operation == Operation::WriteFirmware) {
        input.resize(kFirmwareSize);
    }
    for (std::size_t i = 0; i < input.size() && operation != Operation::ReadKey; ++i) {
        input[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    return input;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto operation = static_cast<Operation>(data[0] % kOperationCount);
    ReplayPort port(data + 1, size - 1);
    TVelorDevice device([](int) {});
    TVelorTable readTable;
    TVelorTable writeTable;
    CheckingHost host;
    OperationContext context{&port, &device, &readTable, &writeTable, &host};
    OperationResult result;
    const std::vector<uint8_t> input = InputFor(operation);
    try {
        if (operation != Operation::ConnectSettings && operation != Operation::ConnectFirmware) {
            const Operation connect = operation == Operation::WriteFirmware
                                          ? Operation::ConnectFirmware
                                          : Operation::ConnectSettings;
            OperationResult connected;
            RunOperation(connect, {}, context, connected);
            if (!connected.Succeeded()) {
                return 0;
            }
        }
        RunOperation(operation, input, context, result);
    } catch (const std::runtime_error&) {
        // The table's range error: the operation thread reports it as the operation's failure.
        return 0;
    }
    const bool read = operation == Operation::ReadSettings;
    const bool key = operation == Operation::ReadKey;
    if (host.settingsShown != (read && result.Succeeded() ? 1 : 0) ||
        host.keysPlaced > (key && result.Succeeded() ? 1 : 0)) {
        std::abort();
    }
    return 0;
}
