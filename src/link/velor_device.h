#pragma once

#include "link/progress_sink.h"
#include "link/velor_table.h"

#include <cstdint>
#include <functional>
#include <vector>

class TPort;

// Identity the device reports at identification; the same five values head a firmware file.
struct TVelorDevDesc {
    uint16_t Type = 0;     // 580 for the configured model
    uint16_t Platform = 0; // hardware platform code
    uint8_t Version1 = 0;  // 2 marks a device of the Velor-Vorsan system
    uint8_t Version2 = 0;
    uint8_t Version3 = 0;
};

// Every protocol wait goes through this (milliseconds).
using Sleeper = std::function<void(int ms)>;
Sleeper DefaultSleeper();

// The device protocol: blocking request/reply exchanges over a port. Each routine returns true
// or false and never says why an exchange failed; it shows nothing and touches no widget.
// Runs on the operation worker thread.
class TVelorDevice {
public:
    explicit TVelorDevice(Sleeper sleeper = DefaultSleeper());

    TPort* Port = nullptr;         // not owned; set by Connect
    TVelorDevDesc Descriptor;      // identity of the last successful identification
    ProgressSink* Gauge = nullptr; // advanced by transfers when set; not owned
    // Asked before each block of a settings or firmware write: true stops the write there, after
    // the block in flight has been answered, so nothing of it is left on the line for the next
    // program on the port. Called on the thread that runs the transfer; empty: never stops.
    std::function<bool()> StopRequested;

    // Stores port and identifies the device.
    bool Connect(TPort* port);
    // Identify request, reply into Descriptor, acknowledge; 20 ms waits before the read and
    // before the acknowledge.
    bool Identify();
    // Writes one request frame: head (55 01 FF command N), N data bytes, CRC.
    bool SendFrame(const uint8_t head[5], const uint8_t* data);

    // Selects a scenario; code and param are set only from an accepted reply.
    bool SelectScenario(uint8_t number, int32_t& code, uint32_t& param);
    // Reads the 257-byte settings table in five blocks; table keeps its content on failure.
    bool ReadTable(TVelorTable& table);
    // Writes a 257-byte settings table in five blocks; other lengths are refused unsent.
    bool WriteTable(TVelorTable& table);
    // Reads the 6-byte key identifier; table keeps its content on failure.
    bool ReadKey(TVelorTable& table);
    // Uploads a firmware image (header, payload, 2 trailing bytes). Images shorter than 13 bytes,
    // or whose payload is not a whole number of 64-byte blocks, are refused unsent.
    bool WriteFirmware(TVelorTable& table);
    // Whether the last write ended because StopRequested asked it to.
    bool Stopped() const { return stopped_; }

private:
    bool SendRequest(uint8_t command, const std::vector<uint8_t>& data);
    bool Acknowledge();
    bool ReadWhole(uint8_t* reply, uint32_t size);
    bool Receive(uint8_t* reply, uint32_t size);
    bool ReceiveCounted(uint8_t* reply, uint32_t size);
    bool ReadSettingsBlock(std::size_t block, uint8_t* streamBlock);
    bool ConfirmWrite(bool counted);
    bool AcceptWriteStatus(uint8_t status);
    enum class PollOutcome { Answered, Invalid, Spent };
    PollOutcome PollWriteStatus(int delayMs, uint8_t& status);
    bool SendBlock(const std::vector<uint8_t>& data, bool counted);
    void Wait(int ms);
    bool PortLost() const;
    void SetGaugeMax(int max);
    void AdvanceGauge();
    // The stop check between write blocks; remembers a stop in stopped_.
    bool StopBeforeBlock();

    Sleeper sleep_;
    bool stopped_ = false;
};
