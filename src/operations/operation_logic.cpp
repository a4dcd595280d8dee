#include "operations/operation_logic.h"

#include "link/protocol.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/key_identifier.h"
#include "operations/status_codes.h"

namespace {

namespace st = velor::status;
using velor::protocol::kModel580Type;

constexpr uint8_t kVorsanVersion1 = 2; // first version byte of a Velor-Vorsan system device

// The success and failure end states of each operation code.
struct Outcomes {
    ButtonOutcome success;
    ButtonOutcome failure;
    int failureStatus;
};

bool IsKnownOperation(Operation code) {
    return code >= Operation::ConnectSettings && code <= Operation::WriteFirmware;
}

Outcomes OutcomesOf(Operation code) {
    switch (code) {
    case Operation::ConnectSettings:
        return {ButtonOutcome::ConnectedSettings, ButtonOutcome::FailureConnectSettings,
                st::kConnectFailed};
    case Operation::WriteSettings:
        return {ButtonOutcome::ConnectedSettings, ButtonOutcome::FailureWriteSettings,
                st::kSettingsWriteFailed};
    case Operation::ReadSettings:
        return {ButtonOutcome::ConnectedSettings, ButtonOutcome::FailureReadSettings,
                st::kSettingsReadFailed};
    case Operation::ReadKey:
        return {ButtonOutcome::ConnectedSettingsWithLoadId, ButtonOutcome::FailureReadKey,
                st::kKeyReadFailed};
    case Operation::ConnectFirmware:
        return {ButtonOutcome::ConnectedFirmware, ButtonOutcome::FailureConnectFirmware,
                st::kConnectFailed};
    default:
        return {ButtonOutcome::FirmwareWritten, ButtonOutcome::FailureWriteFirmware,
                st::kFirmwareWriteFailed};
    }
}

// One run of one operation: the steps of each code over the context.
class OperationRun {
public:
    OperationRun(Operation code, OperationContext& context, OperationResult& result)
        : outcomes_(OutcomesOf(code)), device_(*context.device), host_(*context.host),
          context_(context), result_(result) {}

    void Connect(bool settingsMode);
    void WriteSettings(const std::vector<uint8_t>& image);
    void ReadSettings();
    void ReadKey(const std::vector<uint8_t>& buffer);
    void WriteFirmware(const std::vector<uint8_t>& image);
    void Fault();

private:
    void Report(int status);
    void Succeed(int status);
    void Fail(int status);
    bool SelectScenario(uint8_t number, TVelorTable& table);

    Outcomes outcomes_;
    TVelorDevice& device_;
    OperationHost& host_;
    OperationContext& context_;
    OperationResult& result_;
};

void OperationRun::Report(int status) {
    result_.StatusCode = status;
    host_.ShowStatus({status, result_.DeviceTypeCode, device_.Descriptor});
}

// A transfer's end: status, buttons, then the progress reset.
void OperationRun::Succeed(int status) {
    Report(status);
    host_.SetButtons(outcomes_.success);
    host_.ResetProgress();
}

// A transfer's failure: status, progress reset, then the buttons.
void OperationRun::Fail(int status) {
    Report(status);
    host_.ResetProgress();
    host_.SetButtons(outcomes_.failure);
}

// A failed selection skips the transfer and the progress reset.
bool OperationRun::SelectScenario(uint8_t number, TVelorTable& table) {
    if (device_.SelectScenario(number, table.Code, table.Param)) {
        return true;
    }
    Report(st::kScenarioFailed);
    host_.SetButtons(outcomes_.failure);
    return false;
}

// Any type but 580 is a foreign device and leaves the buttons as they are. A Velor-Vorsan
// device may receive firmware but its settings cannot be changed.
void OperationRun::Connect(bool settingsMode) {
    if (!device_.Connect(context_.port)) {
        Report(st::kConnectFailed);
        host_.SetButtons(outcomes_.failure);
        return;
    }
    if (device_.Descriptor.Type != kModel580Type) {
        Report(st::kIncompatibleDevice);
        return;
    }
    result_.DeviceTypeCode = st::kDeviceType580;
    Report(st::kConnected);
    host_.AdaptToDeviceType(st::kDeviceType580);
    host_.SetButtons(outcomes_.success);
    if (settingsMode && device_.Descriptor.Version1 == kVorsanVersion1) {
        Report(st::kVorsanDevice);
    }
}

void OperationRun::WriteSettings(const std::vector<uint8_t>& image) {
    TVelorTable& table = *context_.writeTable;
    if (!SelectScenario(velor::protocol::kScenarioSettingsWrite, table)) {
        return;
    }
    table.Assign(image);
    if (device_.WriteTable(table)) {
        Succeed(st::kSettingsWritten);
    } else {
        Fail(st::kSettingsWriteFailed);
    }
}

// The settings are shown only after the status (and its box) has been dealt with.
void OperationRun::ReadSettings() {
    TVelorTable& table = *context_.readTable;
    if (!SelectScenario(velor::protocol::kScenarioSettingsRead, table)) {
        return;
    }
    if (!device_.ReadTable(table)) {
        Fail(st::kSettingsReadFailed);
        return;
    }
    Report(st::kSettingsRead);
    host_.ShowSettings(table.Bytes());
    host_.SetButtons(outcomes_.success);
    host_.ResetProgress();
}

// Six zero bytes mean no key on the reader; six 0xFF bytes are no identifier either, and are
// reported the same way rather than placed as an empty identifier.
void OperationRun::ReadKey(const std::vector<uint8_t>& buffer) {
    const int keyNumber = buffer.at(0);
    TVelorTable& table = *context_.readTable;
    if (!SelectScenario(velor::protocol::kScenarioKeyRead, table)) {
        return;
    }
    if (!device_.ReadKey(table)) {
        Fail(st::kKeyReadFailed);
        return;
    }
    const uint64_t identifier = KeyIdentifierFromBytes(table.Bytes());
    SetLastKeyIdentifier(identifier);
    if (identifier == kNoKeyIdentifier || identifier == kBlankKeyIdentifier) {
        Report(st::kNoKey);
    } else {
        host_.PlaceKeyIdentifier(identifier, keyNumber);
        Report(st::kKeyRead);
    }
    host_.SetButtons(outcomes_.success);
    host_.ResetProgress();
}

// The upload table views the caller's image for the length of the call.
void OperationRun::WriteFirmware(const std::vector<uint8_t>& image) {
    TVelorTable upload;
    if (!SelectScenario(velor::protocol::kScenarioFirmwareWrite, upload)) {
        return;
    }
    upload.SetView(image.data(), static_cast<uint32_t>(image.size()));
    if (device_.WriteFirmware(upload)) {
        Succeed(st::kFirmwareWritten);
    } else {
        Fail(st::kFirmwareWriteFailed);
    }
}

void OperationRun::Fault() {
    Fail(outcomes_.failureStatus);
}

} // namespace

bool OperationResult::Succeeded() const {
    return st::IsSuccess(StatusCode);
}

void RunOperation(Operation operationCode, const std::vector<uint8_t>& buffer,
                  OperationContext& context, OperationResult& result) {
    if (!IsKnownOperation(operationCode)) {
        return;
    }
    OperationRun run(operationCode, context, result);
    switch (operationCode) {
    case Operation::ConnectSettings:
        run.Connect(true);
        break;
    case Operation::WriteSettings:
        run.WriteSettings(buffer);
        break;
    case Operation::ReadSettings:
        run.ReadSettings();
        break;
    case Operation::ReadKey:
        run.ReadKey(buffer);
        break;
    case Operation::ConnectFirmware:
        run.Connect(false);
        break;
    default:
        run.WriteFirmware(buffer);
        break;
    }
}

void ReportOperationFault(Operation operationCode, OperationContext& context,
                          OperationResult& result) {
    if (IsKnownOperation(operationCode)) {
        OperationRun(operationCode, context, result).Fault();
    }
}
