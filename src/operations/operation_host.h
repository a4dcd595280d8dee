#pragma once

#include "link/velor_device.h"

#include <cstdint>
#include <vector>

// How an operation ends for the command buttons: one value per end state the window knows.
enum class ButtonOutcome {
    ConnectedSettings,           // connect (0), settings write (1) or read (2) succeeded
    ConnectedFirmware,           // connect in the firmware work mode (4) succeeded
    ConnectedSettingsWithLoadId, // key identifier read (3) succeeded: as connected, LoadId on
    FirmwareWritten,             // firmware write (5) succeeded
    FailureConnectSettings,      // connect (0) failed
    FailureConnectFirmware,      // connect in the firmware work mode (4) failed
    FailureWriteSettings,        // settings write (1) failed: as 0, firmware labels emptied
    FailureReadSettings,         // settings read (2) failed
    FailureReadKey,              // key identifier read (3) failed: as 0, firmware labels emptied
    FailureWriteFirmware,        // firmware write (5) failed
};

// What the dispatcher needs to show a status: the code, the device-type code (10 once a model
// 580 is connected) and the identity of the last identification.
struct StatusReport {
    int StatusCode = 0;
    int DeviceTypeCode = 0;
    TVelorDevDesc Descriptor;
    // The status text only, without the status's box: a read kept apart by a job, a write whose
    // box waits for its verification.
    bool Quiet = false;
};

// The window-side steps an operation asks for. Each is synchronous: the operation goes on only
// when the step has returned (a message box shown inside it holds the operation).
class OperationHost {
public:
    virtual ~OperationHost() = default;

    // Status-bar text, message box and further window changes of a status code.
    virtual void ShowStatus(const StatusReport& report) = 0;
    // Shows the controls a device of that type has (after a successful connection).
    virtual void AdaptToDeviceType(int deviceTypeCode) = 0;
    // Puts the progress display back to 0.
    virtual void ResetProgress() = 0;
    // Decodes a 257-byte settings image read from the device.
    virtual void ShowSettings(const std::vector<uint8_t>& image) = 0;
    // Places a key identifier into identifier edit keyNumber, or reports status 9 itself when
    // the list already holds it.
    virtual void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) = 0;
    // The command buttons' end state of the operation.
    virtual void SetButtons(ButtonOutcome outcome) = 0;
};
