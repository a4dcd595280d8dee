#include "cli/cli_session.h"

#include "catalogue/message_catalogue.h"
#include "cli/cli_options.h"
#include "cli/console_host.h"
#include "link/firmware_image.h"
#include "link/ftdi_usb_port.h"
#include "link/tty_ftdi_driver.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/firmware_check.h"
#include "operations/operation_logic.h"
#include "operations/status_codes.h"
#include "operations/status_dispatch.h"
#include "settings/cfg_format.h"
#include "version/program_version.h"

#include <QFile>

#include <algorithm>
#include <memory>
#include <stdexcept>

namespace {

namespace op = velor::operation;

constexpr int kMsgNoDevice = 10055; // "Приборы марки Велор отключены от линии USB!"
constexpr int kMsgFirmwareRefused = 10041; // "Ошибка: ПО не загружено"
constexpr uint8_t kKeyNumber = 1;          // the identifier edit a key read names

void LoadBuiltInCatalogue() {
    for (int k = 0; k < velor::kBuiltInMessageCount; ++k) {
        const int id = velor::kFirstMessageId + k;
        velor::SetMessageText(id, velor::BuiltInMessageText(id));
    }
}

// The port, device, tables and console host of one command, as the window holds them.
class CliSession {
public:
    CliSession(const CliOptions& options, QTextStream& out, QTextStream& err);

    int Run();

private:
    int Identify();
    int ReadSettings();
    int WriteSettings();
    int ReadKey();
    int WriteFirmware();

    bool OpenPort();
    int Connect(int operationCode);
    bool Run(int operationCode, const std::vector<uint8_t>& buffer = {});
    std::vector<uint8_t> ReadFirmwareFile();

    const CliOptions& options_;
    QTextStream& out_;
    QTextStream& err_;
    TFTDIUsbPort port_;
    TVelorDevice device_;
    TVelorTable readTable_;
    TVelorTable writeTable_;
    ConsoleHost host_;
    OperationContext context_;
};

CliSession::CliSession(const CliOptions& options, QTextStream& out, QTextStream& err)
    : options_(options), out_(out), err_(err),
      port_(std::make_unique<TtyFtdiDriver>(options.port),
            [&err] { PrintLine(err, QStringLiteral("FT_IO_ERROR")); }),
      host_(out, err), context_{&port_, &device_, &readTable_, &writeTable_, &host_} {
    device_.Gauge = host_.Progress();
}

int CliSession::Run() {
    switch (options_.command) {
    case CliCommand::Identify:
        return Identify();
    case CliCommand::ReadSettings:
        return ReadSettings();
    case CliCommand::WriteSettings:
        return WriteSettings();
    case CliCommand::ReadKey:
        return ReadKey();
    case CliCommand::WriteFirmware:
        return WriteFirmware();
    }
    return kExitUsage;
}

// Message 10055, then why the system refused the device, and for a device that belongs to a
// group the account is not in, which group to join.
bool CliSession::OpenPort() {
    if (port_.Open() != 0) {
        return true;
    }
    PrintLine(err_, velor::MessageText(kMsgNoDevice));
    if (!port_.LastOpenError().isEmpty()) {
        PrintLine(err_,
                  QStringLiteral("%1: %2").arg(port_.LastOpenDevice(), port_.LastOpenError()));
    } else if (options_.port.isEmpty()) {
        PrintLine(err_, QStringLiteral("No FTDI USB-serial bridge is attached."));
    }
    if (!port_.LastOpenDeviceGroup().isEmpty()) {
        PrintLine(err_, QStringLiteral("The device belongs to group \"%1\": join it "
                                       "(sudo usermod -aG %1 $USER) and log in again.")
                            .arg(port_.LastOpenDeviceGroup()));
    }
    return false;
}

bool CliSession::Run(int operationCode, const std::vector<uint8_t>& buffer) {
    OperationResult result;
    RunOperation(operationCode, buffer, context_, result);
    return result.Succeeded();
}

// Opens the port and connects; kExitSuccess when a model 580 answered and may be worked with.
int CliSession::Connect(int operationCode) {
    if (!OpenPort()) {
        return kExitNoDevice;
    }
    return Run(operationCode) ? kExitSuccess : kExitFailure;
}

// Connects as the firmware work mode does, so a Velor-Vorsan device is identified too. The
// identity of a device of another type is printed before the refusal.
int CliSession::Identify() {
    if (!OpenPort()) {
        return kExitNoDevice;
    }
    OperationResult result;
    RunOperation(op::kConnectFirmware, {}, context_, result);
    if (result.StatusCode == velor::status::kConnected ||
        result.StatusCode == velor::status::kIncompatibleDevice) {
        const TVelorDevDesc& id = device_.Descriptor;
        PrintLine(out_, QStringLiteral("type=%1 platform=%2 version=%3")
                            .arg(id.Type)
                            .arg(id.Platform)
                            .arg(VersionText(id)));
    }
    return result.Succeeded() ? kExitSuccess : kExitFailure;
}

int CliSession::ReadSettings() {
    if (const int connected = Connect(op::kConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    if (!Run(op::kReadSettings) || !host_.Settings()) {
        return kExitFailure;
    }
    const std::vector<uint8_t>& read = *host_.Settings();
    SettingsImage image;
    std::copy_n(read.begin(), std::min(read.size(), image.size()), image.bytes().begin());
    SaveCfgFile(options_.file, image);
    return kExitSuccess;
}

// The file is read before the device is touched.
int CliSession::WriteSettings() {
    const SettingsImage image = LoadCfgFile(options_.file);
    const std::vector<uint8_t> bytes(image.bytes().begin(), image.bytes().end());
    if (const int connected = Connect(op::kConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    return Run(op::kWriteSettings, bytes) ? kExitSuccess : kExitFailure;
}

int CliSession::ReadKey() {
    if (const int connected = Connect(op::kConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    return Run(op::kReadKey, {kKeyNumber}) ? kExitSuccess : kExitFailure;
}

// The file must be uploadable and match the connected device's type and platform.
int CliSession::WriteFirmware() {
    const std::vector<uint8_t> image = ReadFirmwareFile();
    if (image.empty()) {
        return kExitFailure;
    }
    if (const int connected = Connect(op::kConnectFirmware); connected != kExitSuccess) {
        return connected;
    }
    const FirmwareMatch match = MatchFirmware(*FirmwareDescriptor(image), device_.Descriptor);
    if (match != FirmwareMatch::Accepted) {
        PrintLine(err_, FirmwareRefusalText(match));
        return kExitFailure;
    }
    return Run(op::kWriteFirmware, image) ? kExitSuccess : kExitFailure;
}

// Empty when the file cannot be read or cannot be uploaded: at least 13 bytes, and a payload
// of whole 64-byte blocks (a partial block would never reach the device).
std::vector<uint8_t> CliSession::ReadFirmwareFile() {
    QFile file(options_.file);
    QString reason;
    QByteArray content;
    if (!file.open(QIODevice::ReadOnly)) {
        reason = file.errorString();
    } else {
        content = file.readAll();
        if (!velor::protocol::IsUploadableFirmware(static_cast<std::size_t>(content.size()))) {
            reason = QStringLiteral("%1 bytes: not 13 bytes plus whole 64-byte blocks")
                         .arg(content.size());
        }
    }
    if (!reason.isEmpty()) {
        PrintLine(err_, velor::MessageText(kMsgFirmwareRefused));
        PrintLine(err_, QStringLiteral("%1: %2").arg(options_.file, reason));
        return {};
    }
    return {content.begin(), content.end()};
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    LoadBuiltInCatalogue();
    CliOptions options;
    try {
        options = ParseCliOptions(arguments);
    } catch (const std::exception& error) {
        PrintLine(err, QString::fromUtf8(error.what()));
        PrintLine(err, QStringLiteral("velor580-cli --help lists the commands"));
        return kExitUsage;
    }
    if (options.help) {
        out << CliHelpText();
        out.flush();
        return kExitSuccess;
    }
    if (options.version) {
        out << QStringLiteral("velor580-cli %1\n").arg(QLatin1String(velor::kProgramVersion));
        out.flush();
        return kExitSuccess;
    }
    try {
        return CliSession(options, out, err).Run();
    } catch (const std::exception& error) {
        PrintLine(err, QString::fromUtf8(error.what()));
        return kExitFailure;
    }
}
