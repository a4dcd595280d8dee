#pragma once

#include "operations/operation_codes.h"
#include "operations/operation_host.h"

#include <cstdint>
#include <vector>

class TPort;
class TVelorDevice;
class TVelorTable;

// What an operation works with; all owned elsewhere (by the window, or the command-line tool).
// The device's Gauge, when set, is advanced by the transfers.
struct OperationContext {
    TPort* port = nullptr;
    TVelorDevice* device = nullptr;
    TVelorTable* readTable = nullptr;  // receives settings and key identifiers
    TVelorTable* writeTable = nullptr; // carries settings to the device
    OperationHost* host = nullptr;
};

struct OperationResult {
    int StatusCode = 0;     // the status reported last; 0 when none was
    int DeviceTypeCode = 0; // 10 once a model 580 has been connected

    // Whether the operation ended in its successful status.
    bool Succeeded() const;
};

// Runs one device operation: the exchanges, the checks on the identity, every status report
// and window step in order, and the buttons' end state. Values outside the enumeration do
// nothing.
// The firmware image (code 5) is read in place, never copied. Errors the link raises (the
// table's range error) propagate to the caller.
void RunOperation(Operation operation, const std::vector<uint8_t>& buffer,
                  OperationContext& context, OperationResult& result);

// Ends an operation that was abandoned by an error: reports the operation's failure status,
// resets the progress and sets the failure buttons. Values outside the enumeration do nothing.
void ReportOperationFault(Operation operation, OperationContext& context, OperationResult& result);
