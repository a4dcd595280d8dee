#include "cli/cli_session.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "catalogue/program_files.h"
#include "catalogue/program_layout.h"
#include "cli/cli_language.h"
#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/history_commands.h"
#include "cli/output_file.h"
#include "cli/ports_command.h"
#include "cli/report_commands.h"
#include "cli/write_review.h"
#include "link/firmware_image.h"
#include "link/ftdi_usb_port.h"
#include "link/port_lock.h"
#include "link/tty_ftdi_driver.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "operations/device_lost_text.h"
#include "operations/firmware_check.h"
#include "operations/operation_logic.h"
#include "operations/status_codes.h"
#include "operations/status_dispatch.h"
#include "settings/cfg_format.h"
#include "settings/regular_file.h"
#include "settings/settings_fingerprint.h"
#include "settings/settings_history.h"
#include "version/program_version.h"

#include <QDir>
#include <QFile>
#include <QIODevice>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>

namespace {

constexpr uint8_t kKeyNumber = 1; // the identifier edit a key read names

// The configurator's program beside the tool: its INI file and language libraries are used.
const QLatin1String kConfiguratorName("velor580");

// The port, device, tables and console host of one command, as the window holds them.
class CliSession {
public:
    CliSession(const CliOptions& options, QTextStream& out, QTextStream& err,
               const CliEnvironment& environment);

    int Run();

private:
    int Identify();
    int ReadSettings();
    int WriteSettings();
    int ReadKey();
    int WriteFirmware();
    int Report();
    DeviceSettings ReadDeviceSettings();
    int Verify(const SettingsImage& sent, const QString& snapshotPath);
    std::optional<SettingsImage> ReadDevice();
    bool ShownToTheTechnician();
    QDateTime Now() const;
    void PrintWayBack(const QString& snapshotPath);

    bool OpenPort();
    int Connect(Operation operationCode);
    bool Run(Operation operationCode, const std::vector<uint8_t>& buffer = {});
    std::vector<uint8_t> ReadFirmwareFile();

    const CliOptions& options_;
    const CliEnvironment& environment_;
    QTextStream& out_;
    QTextStream& err_;
    TFTDIUsbPort port_;
    TVelorDevice device_;
    TVelorTable readTable_;
    TVelorTable writeTable_;
    ConsoleHost host_;
    OperationContext context_;
};

CliSession::CliSession(const CliOptions& options, QTextStream& out, QTextStream& err,
                       const CliEnvironment& environment)
    : options_(options), environment_(environment), out_(out), err_(err),
      port_(
          std::make_unique<TtyFtdiDriver>(options.port),
          [&err] { PrintLine(err, QStringLiteral("FT_IO_ERROR")); },
          [&err](const QString& device, const QString& reason) {
              PrintLine(err, DeviceLostText(device, reason));
          }),
      host_(out, err, environment.errIsTerminal), context_{&port_, &device_, &readTable_,
                                                           &writeTable_, &host_} {
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
    case CliCommand::Show:
    case CliCommand::Diff:
    case CliCommand::Check:
        return Report();
    case CliCommand::History:
        return RunHistoryCommand(options_, environment_, out_, err_);
    case CliCommand::Ports:
        return RunPortsCommand(environment_, out_, err_);
    }
    return kExitUsage;
}

// A port that another program holds is named as such. Otherwise message 10055, then why the
// system refused the device, and, when the account lacked the permission to open a device that
// belongs to a group, which group to join. A device that is no serial line at all (a file, a
// folder, /dev/null) gets no such advice: joining a group would not help.
bool CliSession::OpenPort() {
    if (port_.Open() != 0) {
        return true;
    }
    if (port_.LastOpenBusy()) {
        PrintLine(err_, velor::link::PortBusyText(port_.LastOpenDevice()));
        return false;
    }
    PrintLine(err_, velor::MessageText(velor::msg::kNoDevice));
    if (!port_.LastOpenError().isEmpty()) {
        PrintLine(err_,
                  QStringLiteral("%1: %2").arg(port_.LastOpenDevice(), port_.LastOpenError()));
    } else if (options_.port.isEmpty()) {
        PrintLine(err_, NoBridgeText());
    }
    if (port_.LastOpenLackedPermission() && !port_.LastOpenDeviceGroup().isEmpty()) {
        PrintLine(err_, Cli::tr("Устройство принадлежит группе \"%1\": добавьте себя в нее "
                                "(sudo usermod -aG %1 $USER) и войдите в систему заново.")
                            .arg(port_.LastOpenDeviceGroup()));
    }
    return false;
}

bool CliSession::Run(Operation operationCode, const std::vector<uint8_t>& buffer) {
    OperationResult result;
    RunOperation(operationCode, buffer, context_, result);
    return result.Succeeded();
}

// Opens the port and connects; kExitSuccess when a model 580 answered and may be worked with.
int CliSession::Connect(Operation operationCode) {
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
    RunOperation(Operation::ConnectFirmware, {}, context_, result);
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

// The file's folder is checked before the device is touched: a read that could not be saved
// would only cost the technician the wait.
int CliSession::ReadSettings() {
    if (const QString problem = OutputFileProblem(options_.file); !problem.isEmpty()) {
        PrintLine(err_, Cli::tr("Файл %1 нельзя сохранить: %2").arg(options_.file, problem));
        return kExitFailure;
    }
    if (const int connected = Connect(Operation::ConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    const std::optional<SettingsImage> image = ReadDevice();
    if (!image) {
        return kExitFailure;
    }
    SaveCfgFile(options_.file, *image);
    return kExitSuccess;
}

// The file is read before the device is touched; then the device's settings, which give the
// change list and the snapshot. Nothing is written without a snapshot to go back to, and a write
// counts only once the settings read back equal what was sent, byte for byte.
int CliSession::WriteSettings() {
    const SettingsImage image = LoadCfgFile(options_.file);
    const std::vector<uint8_t> bytes(image.bytes().begin(), image.bytes().end());
    if (const int connected = Connect(Operation::ConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    PrintLine(err_, Cli::tr("Чтение настроек прибора перед записью"));
    const std::optional<SettingsImage> before = ReadDevice();
    if (!before) {
        PrintLine(err_, Cli::tr("Настройки прибора не прочитаны: запись не начата."));
        return kExitFailure;
    }
    PrintReview(out_, *before, image, options_.file);
    if (!ShownToTheTechnician()) {
        return kExitFailure;
    }
    if (options_.dryRun) {
        PrintLine(err_, Cli::tr("Пробный запуск (--dry-run): в прибор ничего не записано."));
        return kExitSuccess;
    }
    const HistorySave snapshot = SettingsHistory(environment_.historyFolder, environment_.clock)
                                     .Save(*before, device_.Descriptor, image, Now());
    if (!snapshot.Saved()) {
        PrintLine(err_, Cli::tr("Снимок настроек прибора не сохранен: %1").arg(snapshot.error));
        PrintLine(err_, Cli::tr("Запись не начата: без снимка прежние настройки нельзя было бы "
                                "вернуть."));
        return kExitFailure;
    }
    PrintLine(err_, Cli::tr("Прежние настройки прибора сохранены: %1")
                        .arg(QDir::toNativeSeparators(snapshot.path)));
    if (!Run(Operation::WriteSettings, bytes)) {
        PrintWayBack(snapshot.path);
        return kExitFailure;
    }
    if (!options_.verify) {
        PrintLine(err_, Cli::tr("Проверка записи пропущена (--no-verify)."));
        return kExitSuccess;
    }
    return Verify(image, snapshot.path);
}

// As the window does after every write: disconnect, connect again, then read the settings back.
int CliSession::Verify(const SettingsImage& sent, const QString& snapshotPath) {
    port_.Close();
    PrintLine(err_, Cli::tr("Проверка записи: настройки читаются из прибора снова"));
    std::optional<SettingsImage> kept;
    if (Connect(Operation::ConnectSettings) == kExitSuccess) {
        kept = ReadDevice();
    }
    if (!kept) {
        PrintLine(err_, Cli::tr("Ошибка проверки: настройки не прочитаны обратно, запись не "
                                "подтверждена."));
        PrintWayBack(snapshotPath);
        return kExitFailure;
    }
    if (*kept != sent) {
        PrintMismatch(out_, sent, *kept);
        PrintLine(err_, Cli::tr("Ошибка проверки: прибор хранит не те настройки, что записаны."));
        PrintWayBack(snapshotPath);
        return kExitFailure;
    }
    PrintLine(err_, Cli::tr("Проверка пройдена: прибор хранит записанные настройки (%1).")
                        .arg(velor::settings::ShortFingerprint(sent)));
    return kExitSuccess;
}

// The settings a read delivers; none when the read failed (its status says why).
std::optional<SettingsImage> CliSession::ReadDevice() {
    if (!Run(Operation::ReadSettings) || !host_.Settings()) {
        return std::nullopt;
    }
    const std::vector<uint8_t>& read = *host_.Settings();
    SettingsImage image;
    std::copy_n(read.begin(), std::min(read.size(), image.size()), image.bytes().begin());
    return image;
}

// What a write is about to do must reach standard output before the write starts: a list that
// was lost (a full disk, a closed pipe) stops it.
bool CliSession::ShownToTheTechnician() {
    out_.flush();
    if (out_.status() == QTextStream::Ok) {
        return true;
    }
    PrintLine(err_, Cli::tr("Список того, что изменит запись, не выведен: запись не начата."));
    return false;
}

QDateTime CliSession::Now() const {
    return environment_.clock ? environment_.clock() : QDateTime::currentDateTime();
}

void CliSession::PrintWayBack(const QString& snapshotPath) {
    PrintLine(err_, Cli::tr("Прежние настройки возвращает команда: %1")
                        .arg(WayBackCommand(options_.port, snapshotPath)));
}

int CliSession::ReadKey() {
    if (const int connected = Connect(Operation::ConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    return Run(Operation::ReadKey, {kKeyNumber}) ? kExitSuccess : kExitFailure;
}

// The file must be uploadable and match the connected device's type and platform.
int CliSession::WriteFirmware() {
    const std::vector<uint8_t> image = ReadFirmwareFile();
    if (image.empty()) {
        return kExitFailure;
    }
    if (const int connected = Connect(Operation::ConnectFirmware); connected != kExitSuccess) {
        return connected;
    }
    const TVelorDevDesc file = *FirmwareDescriptor(image);
    PrintFirmwareSummary(out_, options_.file, image, file, device_.Descriptor);
    if (!ShownToTheTechnician()) {
        return kExitFailure;
    }
    const FirmwareMatch match = MatchFirmware(file, device_.Descriptor);
    if (match != FirmwareMatch::Accepted) {
        PrintLine(err_, FirmwareRefusalText(match));
        return kExitFailure;
    }
    return Run(Operation::WriteFirmware, image) ? kExitSuccess : kExitFailure;
}

// The factory settings are the ones shipped with the configurator beside the tool.
int CliSession::Report() {
    const QString factoryFolder = environment_.configuratorPath.isEmpty()
                                      ? velor::DataFolder()
                                      : velor::DataFolder(environment_.configuratorPath);
    const ReportContext context{factoryFolder + QLatin1Char('/') +
                                    QLatin1String(velor::kFactoryDefaultsFile),
                                options_.port, [this] { return ReadDeviceSettings(); }};
    return RunReportCommand(options_, context, out_, err_);
}

// Connects and reads the settings as read-settings does.
DeviceSettings CliSession::ReadDeviceSettings() {
    if (const int connected = Connect(Operation::ConnectSettings); connected != kExitSuccess) {
        return {std::nullopt, connected == kExitNoDevice ? kExitNoDevice : kExitReportFailed};
    }
    const std::optional<SettingsImage> image = ReadDevice();
    return {image, image ? kExitSuccess : kExitReportFailed};
}

// Empty when the file cannot be read or cannot be uploaded: not a regular file, shorter than
// 13 bytes, a block count beyond 16 bits (such a file is not even read), or a payload that is
// not whole 64-byte blocks (a partial block would never reach the device).
std::vector<uint8_t> CliSession::ReadFirmwareFile() {
    const FileRead read =
        ReadRegularFile(options_.file, velor::protocol::kLargestCountableFirmware);
    QString reason = read.reason;
    if (read.refusal == FileRefusal::TooLarge) {
        reason = FirmwareSizeRefusal(static_cast<std::size_t>(read.size));
    } else if (read.refusal == FileRefusal::None) {
        reason = FirmwareSizeRefusal(static_cast<std::size_t>(read.content.size()));
    }
    if (!reason.isEmpty()) {
        PrintLine(err_, velor::MessageText(velor::msg::kFirmwareNotLoaded));
        PrintLine(err_, QStringLiteral("%1: %2").arg(options_.file, reason));
        return {};
    }
    return {read.content.begin(), read.content.end()};
}

} // namespace

CliEnvironment SystemCliEnvironment() {
    CliEnvironment environment;
    environment.configuratorPath = velor::ProgramFolder() + QLatin1Char('/') + kConfiguratorName;
    environment.systemLocale = SystemMessagesLocale();
    environment.runLocale = qEnvironmentVariable("VELOR580_LANGUAGE").toUpper();
    environment.errIsTerminal = ::isatty(STDERR_FILENO) == 1;
    environment.historyFolder = velor::HistoryFolder(environment.configuratorPath);
    return environment;
}

namespace {

// The device commands take --port as a serial number too: it is turned into the bridge's path
// before the port is made.
int RunSession(const CliOptions& options, QTextStream& out, QTextStream& err,
               const CliEnvironment& environment) {
    // A report reaches the device only when one of its sources is the device.
    const bool usesDevice =
        IsReportCommand(options.command)
            ? ReadsDevice(options)
            : options.command != CliCommand::History && options.command != CliCommand::Ports;
    CliOptions resolved = options;
    if (usesDevice) {
        const std::optional<QString> port = ResolvePort(options.port, environment, err);
        if (!port) {
            return kExitNoDevice;
        }
        resolved.port = *port;
    }
    return CliSession(resolved, out, err, environment).Run();
}

// The command, then whatever it wrote to standard output pushed out: a result that did not
// arrive there (a full disk, a closed pipe) turns success into failure.
int RunCommand(const CliOptions& options, QTextStream& out, QTextStream& err,
               const CliEnvironment& environment) {
    int exitCode = kExitFailure;
    if (options.help) {
        out << CliHelpText();
        exitCode = kExitSuccess;
    } else if (options.version) {
        out << QStringLiteral("velor580-cli %1\n").arg(QLatin1String(velor::kProgramVersion));
        exitCode = kExitSuccess;
    } else {
        try {
            exitCode = RunSession(options, out, err, environment);
        } catch (const std::exception& error) {
            PrintLine(err, QString::fromUtf8(error.what()));
        }
    }
    out.flush();
    if (out.status() != QTextStream::Ok) {
        const QString reason = out.device() != nullptr ? out.device()->errorString() : QString();
        PrintLine(err, Cli::tr("Не удалось вывести результат в стандартный вывод: %1").arg(reason));
        // show, diff and check give 0 and 1 a meaning of their own (equal, different).
        if (IsReportCommand(options.command)) {
            return exitCode > kExitDifferent ? exitCode : kExitReportFailed;
        }
        return exitCode == kExitSuccess ? kExitFailure : exitCode;
    }
    return exitCode;
}

} // namespace

int RunCli(const QStringList& arguments, QTextStream& out, QTextStream& err,
           const CliEnvironment& environment) {
    const CliLanguage language(environment.configuratorPath, environment.systemLocale,
                               environment.runLocale);
    CliOptions options;
    try {
        options = ParseCliOptions(arguments);
    } catch (const std::exception& error) {
        PrintLine(err, QString::fromUtf8(error.what()));
        PrintLine(err, Cli::tr("список команд: velor580-cli --help"));
        return kExitUsage;
    }
    return RunCommand(options, out, err, environment);
}
