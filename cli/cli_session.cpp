#include "cli/cli_session.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "catalogue/program_files.h"
#include "catalogue/program_layout.h"
#include "cli/book_commands.h"
#include "cli/cli_language.h"
#include "cli/cli_options.h"
#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/history_commands.h"
#include "cli/interrupt_signals.h"
#include "cli/output_file.h"
#include "cli/ports_command.h"
#include "cli/quoted_name.h"
#include "cli/report_commands.h"
#include "cli/write_review.h"
#include "link/bridge_texts.h"
#include "link/firmware_image.h"
#include "link/port_lock.h"
#include "link/tty_ftdi_driver.h"
#include "operations/device_lost_text.h"
#include "operations/device_session.h"
#include "operations/firmware_check.h"
#include "operations/firmware_write_job.h"
#include "operations/operation_logic.h"
#include "operations/safe_write_job.h"
#include "operations/status_codes.h"
#include "operations/status_dispatch.h"
#include "recording/technician_name.h"
#include "recording/visit_recorder.h"
#include "settings/cfg_format.h"
#include "settings/regular_file.h"
#include "settings/settings_fingerprint.h"
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

// The device session of one command (its port, device, tables and identity, the operations run
// to their end where they are started) with the console host for its steps. It is also the
// command line's side of the write jobs: what they print, and the exit status of their outcome.
class CliSession : private SafeWriteFront, private FirmwareWriteFront {
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
    int AttachSite();
    void OpenBook();
    void ChooseSite();
    DeviceSettings ReadDeviceSettings();
    std::optional<SettingsImage> ReadDevice();
    bool ShownToTheTechnician();
    void PrintWayBack(const QString& snapshotPath);
    // Ctrl+C and SIGTERM during a write: the job stops at its next step, the write before its
    // next block (InterruptSignals); what the device may now hold is told once, at the end.
    template <class Job> int RunInterruptible(Job& job);
    void StopOnSignal();
    bool ReportInterruption(const SafeWriteOutcome& outcome);
    bool ReportInterruption(const FirmwareWriteOutcome& outcome);

    // Both write jobs.
    bool OpenPort() override;
    void Disconnected(bool reconnects) override;
    // The settings write.
    void ReadStarting(bool readBack) override;
    ReviewAnswer Review(const SettingsImage& device, const SettingsImage& next) override;
    void WriteStarting(const QString& snapshotPath) override;
    void Finished(const SafeWriteOutcome& outcome) override;
    int ExitStatusOf(const SafeWriteOutcome& outcome);
    // The firmware write.
    bool Confirm(const TVelorDevDesc& device) override;
    void UploadStarting() override {}
    void Reconnecting() override {}
    void Finished(const FirmwareWriteOutcome& outcome) override;

    int Connect(Operation operationCode);
    OperationResult Run(Operation operationCode, const std::vector<uint8_t>& buffer = {});
    std::vector<uint8_t> ReadFirmwareFile();

    const CliOptions& options_;
    const CliEnvironment& environment_;
    QTextStream& out_;
    QTextStream& err_;
    ConsoleHost host_;
    DeviceSession session_;
    std::vector<uint8_t> firmware_;   // the file a firmware write uploads
    int exitStatus_ = kExitFailure;   // of the write job run last
    std::function<void()> cancelJob_; // cancels the write job that runs, while one runs
    std::unique_ptr<SiteBook> book_;  // where the visits go; none without a book
    std::unique_ptr<VisitRecorder> recorder_;
};

CliSession::CliSession(const CliOptions& options, QTextStream& out, QTextStream& err,
                       const CliEnvironment& environment)
    : options_(options), environment_(environment), out_(out), err_(err),
      host_(out, err, environment.errIsTerminal), session_([&] {
          SessionSeams seams;
          seams.driver = std::make_unique<TtyFtdiDriver>(options.port);
          seams.onIoError = [&err] { PrintLine(err, QStringLiteral("FT_IO_ERROR")); };
          seams.onDeviceLost = [&err](const QString& device, const QString& reason) {
              PrintLine(err, DeviceLostText(device, reason));
          };
          seams.host = &host_;
          seams.threading = SessionThreading::Caller;
          seams.sysfsRoot = environment.sysfsRoot;
          seams.devRoot = environment.devRoot;
          return seams;
      }()) {
    session_.Device().Gauge = host_.Progress();
}

// The book is opened before the device is touched, so that what it says about the device (its
// site) is at hand once it connects; a book that cannot be opened stops nothing.
void CliSession::OpenBook() {
    book_ = OpenBookForDevice(options_, environment_);
    recorder_ = std::make_unique<VisitRecorder>(
        session_, book_.get(), TechnicianFor(options_, environment_),
        [this](const QString& text) { PrintLine(err_, text); });
    ChooseSite();
}

// --site: the visit's site when the book knows none for the device. One that is not in the book
// is said, and the device work goes on.
void CliSession::ChooseSite() {
    if (options_.book.site.isEmpty() || !book_ ||
        book_->State() == SiteBook::Availability::Unavailable) {
        return;
    }
    const auto site = book_->SiteByName(options_.book.site);
    if (site.value) {
        recorder_->ChooseSite(site.value->uuid);
    } else {
        PrintLine(err_,
                  Cli::tr("Объекта %1 нет в книге (--site)").arg(QuotedName(options_.book.site)));
    }
}

int CliSession::Run() {
    const bool reportsOnFiles = IsReportCommand(options_.command) && !ReadsDevice(options_);
    if (options_.command != CliCommand::History && options_.command != CliCommand::Ports &&
        options_.command != CliCommand::ReadKey && !reportsOnFiles) {
        OpenBook();
    }
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
    case CliCommand::Report:
        return Report();
    case CliCommand::History:
        return RunHistoryCommand(options_, environment_, out_, err_);
    case CliCommand::Ports:
        return RunPortsCommand(environment_, out_, err_);
    case CliCommand::Site:
        return AttachSite();
    case CliCommand::Visits:
    case CliCommand::Book:
        break;
    }
    return kExitUsage;
}

// A port that another program holds is named as such. Otherwise message 10055, then why the
// system refused the device, and, when the account lacked the permission to open a device that
// belongs to a group, which group to join. A device that is no serial line at all (a file, a
// folder, /dev/null) gets no such advice: joining a group would not help.
bool CliSession::OpenPort() {
    TFTDIUsbPort& port = session_.Port();
    if (port.Open() != 0) {
        return true;
    }
    if (port.LastOpenBusy()) {
        PrintLine(err_, velor::link::PortBusyText(port.LastOpenDevice()));
        return false;
    }
    PrintLine(err_, velor::MessageText(velor::msg::kNoDevice));
    if (!port.LastOpenError().isEmpty()) {
        PrintLine(err_, QStringLiteral("%1: %2").arg(port.LastOpenDevice(), port.LastOpenError()));
    } else if (options_.port.isEmpty()) {
        PrintLine(err_, velor::link::NoBridgeText());
    }
    if (port.LastOpenLackedPermission() && !port.LastOpenDeviceGroup().isEmpty()) {
        PrintLine(err_, Cli::tr("Устройство принадлежит группе \"%1\": добавьте себя в нее "
                                "(sudo usermod -aG %1 $USER) и войдите в систему заново.")
                            .arg(port.LastOpenDeviceGroup()));
    }
    return false;
}

// The session runs the operation to its end before Start returns.
OperationResult CliSession::Run(Operation operationCode, const std::vector<uint8_t>& buffer) {
    OperationResult ended;
    session_.Start(operationCode, buffer,
                   [&ended](const OperationResult& result) { ended = result; });
    return ended;
}

// Opens the port and connects; kExitSuccess when a model 580 answered and may be worked with.
int CliSession::Connect(Operation operationCode) {
    if (!OpenPort()) {
        return kExitNoDevice;
    }
    return Run(operationCode).Succeeded() ? kExitSuccess : kExitFailure;
}

// Connects as the firmware work mode does, so a Velor-Vorsan device is identified too. The
// identity of a device of another type is printed before the refusal.
int CliSession::Identify() {
    if (!OpenPort()) {
        return kExitNoDevice;
    }
    const OperationResult result = Run(Operation::ConnectFirmware);
    if (result.StatusCode == velor::status::kConnected ||
        result.StatusCode == velor::status::kIncompatibleDevice) {
        const TVelorDevDesc& id = session_.Device().Descriptor;
        PrintLine(out_, QStringLiteral("type=%1 platform=%2 version=%3")
                            .arg(id.Type)
                            .arg(id.Platform)
                            .arg(VersionText(id)));
        if (recorder_->Site()) {
            PrintLine(out_, SiteLine(*recorder_->Site()));
        }
        if (book_ && book_->State() == SiteBook::Availability::Unavailable &&
            !session_.Identity().usbSerial.isEmpty()) {
            PrintLine(err_, book_->Problem());
        }
    }
    return result.Succeeded() ? kExitSuccess : kExitFailure;
}

// site attach NAME --port: the device's serial number is the one of the bridge it answers on.
int CliSession::AttachSite() {
    if (!OpenPort()) {
        return kExitNoDevice;
    }
    if (!Run(Operation::ConnectFirmware).Succeeded()) {
        return kExitFailure;
    }
    const QString serial = session_.Identity().usbSerial;
    if (serial.isEmpty()) {
        PrintLine(err_, Cli::tr("У порта %1 нет серийного номера USB: прибор за ним нельзя "
                                "узнать. Привяжите мост по номеру: site attach НАЗВАНИЕ --serial "
                                "НОМЕР")
                            .arg(QuotedName(session_.Identity().portPath)));
        return kExitFailure;
    }
    if (!book_ || book_->State() != SiteBook::Availability::Writable) {
        PrintLine(err_, book_ ? book_->Problem() : Cli::tr("Книга объектов не задана"));
        return kExitFailure;
    }
    return AttachToSite(*book_, options_.book.target, serial, TechnicianFor(options_, environment_),
                        err_);
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

// The file is read before the device is touched; then the safe write runs as the window's does
// (SafeWriteJob): the device's settings give the change list and the snapshot, nothing is
// written without a snapshot to go back to, and a write counts only once the settings read back
// equal what was sent, byte for byte.
int CliSession::WriteSettings() {
    SafeWritePlan plan;
    plan.image = LoadCfgFile(options_.file);
    plan.connectFirst = true;
    plan.verify = options_.verify;
    plan.historyFolder = environment_.historyFolder;
    plan.clock = environment_.clock;
    SafeWriteJob job(session_, *this, std::move(plan));
    return RunInterruptible(job);
}

template <class Job> int CliSession::RunInterruptible(Job& job) {
    const InterruptSignals interrupts;
    cancelJob_ = [&job] { job.Cancel(); };
    session_.Device().StopRequested = [this] {
        StopOnSignal();
        return InterruptSignals::Requested();
    };
    job.Start();
    session_.Device().StopRequested = nullptr;
    cancelJob_ = nullptr;
    return exitStatus_;
}

// Called between the job's steps and before each block of a write.
void CliSession::StopOnSignal() {
    if (cancelJob_ && InterruptSignals::Requested()) {
        cancelJob_();
    }
}

// One line for an interrupted settings write: what was interrupted, what the device may hold
// now, and the way back.
bool CliSession::ReportInterruption(const SafeWriteOutcome& outcome) {
    if (outcome.reason != SafeWriteReason::Cancelled || !InterruptSignals::Requested()) {
        return false;
    }
    const QString signal = QLatin1String(InterruptSignals::SignalName());
    const QString wayBack = WayBackCommand(options_.port, outcome.snapshotPath);
    switch (outcome.end) {
    case SafeWriteEnd::Refused:
        PrintLine(
            err_,
            Cli::tr("Запись настроек прервана (%1): в прибор ничего не записано.").arg(signal));
        break;
    case SafeWriteEnd::WriteFailed:
        PrintLine(err_, Cli::tr("Запись настроек прервана (%1): прибор может хранить новые "
                                "настройки частично. Прежние настройки возвращает команда: %2")
                            .arg(signal, wayBack));
        break;
    default:
        PrintLine(err_, Cli::tr("Проверка записи прервана (%1): настройки записаны, но не "
                                "проверены. Прежние настройки возвращает команда: %2")
                            .arg(signal, wayBack));
        break;
    }
    exitStatus_ = InterruptSignals::ExitStatus();
    return true;
}

bool CliSession::ReportInterruption(const FirmwareWriteOutcome& outcome) {
    if (outcome.reason != FirmwareWriteReason::Cancelled || !InterruptSignals::Requested()) {
        return false;
    }
    const QString signal = QLatin1String(InterruptSignals::SignalName());
    if (outcome.end == FirmwareWriteEnd::Refused) {
        PrintLine(err_,
                  Cli::tr("Прошивка прервана (%1): в прибор ничего не записано.").arg(signal));
    } else {
        PrintLine(err_, Cli::tr("Прошивка прервана (%1): ПО в приборе может быть записано "
                                "частично, повторите прошивку командой: %2")
                            .arg(signal,
                                 DeviceCommandLine(options_.port, QStringLiteral("write-firmware"),
                                                   options_.file)));
    }
    exitStatus_ = InterruptSignals::ExitStatus();
    return true;
}

void CliSession::ReadStarting(bool readBack) {
    StopOnSignal();
    if (!readBack) {
        PrintLine(err_, Cli::tr("Чтение настроек прибора перед записью"));
    }
}

ReviewAnswer CliSession::Review(const SettingsImage& device, const SettingsImage& next) {
    StopOnSignal();
    PrintReview(out_, device, next, options_.file);
    if (!ShownToTheTechnician()) {
        return ReviewAnswer::NotShown;
    }
    return options_.dryRun ? ReviewAnswer::DryRun : ReviewAnswer::Write;
}

void CliSession::WriteStarting(const QString& snapshotPath) {
    PrintLine(err_, Cli::tr("Прежние настройки прибора сохранены: %1")
                        .arg(QDir::toNativeSeparators(snapshotPath)));
    StopOnSignal();
}

// As the window does after every write: disconnect, connect again, then read the settings back.
void CliSession::Disconnected(bool reconnects) {
    StopOnSignal();
    if (reconnects) {
        PrintLine(err_, Cli::tr("Проверка записи: настройки читаются из прибора снова"));
    }
}

void CliSession::Finished(const SafeWriteOutcome& outcome) {
    if (!ReportInterruption(outcome)) {
        exitStatus_ = ExitStatusOf(outcome);
    }
}

int CliSession::ExitStatusOf(const SafeWriteOutcome& outcome) {
    switch (outcome.reason) {
    case SafeWriteReason::PortNotOpened:
        return kExitNoDevice;
    case SafeWriteReason::SettingsNotRead:
        PrintLine(err_, Cli::tr("Настройки прибора не прочитаны: запись не начата."));
        return kExitFailure;
    case SafeWriteReason::DryRun:
        PrintLine(err_, Cli::tr("Пробный запуск (--dry-run): в прибор ничего не записано."));
        return kExitSuccess;
    case SafeWriteReason::SnapshotNotSaved:
        PrintLine(err_,
                  Cli::tr("Снимок настроек прибора не сохранен: %1").arg(outcome.snapshotError));
        PrintLine(err_, Cli::tr("Запись не начата: без снимка прежние настройки нельзя было бы "
                                "вернуть."));
        return kExitFailure;
    case SafeWriteReason::VerifySkipped:
        PrintLine(err_, Cli::tr("Проверка записи пропущена (--no-verify)."));
        return kExitSuccess;
    default:
        break;
    }
    switch (outcome.end) {
    case SafeWriteEnd::Verified:
        PrintLine(err_, Cli::tr("Проверка пройдена: прибор хранит записанные настройки (%1).")
                            .arg(velor::settings::ShortFingerprint(outcome.written)));
        return kExitSuccess;
    case SafeWriteEnd::Mismatch:
        PrintMismatch(out_, outcome.written, *outcome.readBack);
        PrintLine(err_, Cli::tr("Ошибка проверки: прибор хранит не те настройки, что записаны."));
        PrintWayBack(outcome.snapshotPath);
        return kExitFailure;
    case SafeWriteEnd::WrittenNotVerified:
        PrintLine(err_, Cli::tr("Ошибка проверки: настройки не прочитаны обратно, запись не "
                                "подтверждена."));
        PrintWayBack(outcome.snapshotPath);
        return kExitFailure;
    case SafeWriteEnd::WriteFailed:
        PrintWayBack(outcome.snapshotPath);
        return kExitFailure;
    case SafeWriteEnd::Refused:
        break;
    }
    return kExitFailure;
}

// The settings a read delivers; none when the read failed (its status says why).
std::optional<SettingsImage> CliSession::ReadDevice() {
    if (!Run(Operation::ReadSettings).Succeeded()) {
        return std::nullopt;
    }
    return session_.LastSettings();
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

void CliSession::PrintWayBack(const QString& snapshotPath) {
    PrintLine(err_, Cli::tr("Прежние настройки возвращает команда: %1")
                        .arg(WayBackCommand(options_.port, snapshotPath)));
}

int CliSession::ReadKey() {
    if (const int connected = Connect(Operation::ConnectSettings); connected != kExitSuccess) {
        return connected;
    }
    return Run(Operation::ReadKey, {kKeyNumber}).Succeeded() ? kExitSuccess : kExitFailure;
}

// The file must be uploadable and match the connected device's type and platform; the upload
// runs as the window's does (FirmwareWriteJob), without the connection after it.
int CliSession::WriteFirmware() {
    firmware_ = ReadFirmwareFile();
    if (firmware_.empty()) {
        return kExitFailure;
    }
    FirmwareWriteJob job(session_, *this, {&firmware_, true, false});
    return RunInterruptible(job);
}

bool CliSession::Confirm(const TVelorDevDesc& device) {
    StopOnSignal();
    const TVelorDevDesc file = *FirmwareDescriptor(firmware_);
    PrintFirmwareSummary(out_, options_.file, firmware_, file, device);
    if (!ShownToTheTechnician()) {
        return false;
    }
    const FirmwareMatch match = MatchFirmware(file, device);
    if (match != FirmwareMatch::Accepted) {
        PrintLine(err_, FirmwareRefusalText(match));
        return false;
    }
    return true;
}

void CliSession::Finished(const FirmwareWriteOutcome& outcome) {
    if (ReportInterruption(outcome)) {
        return;
    }
    if (outcome.reason == FirmwareWriteReason::PortNotOpened) {
        exitStatus_ = kExitNoDevice;
    } else {
        exitStatus_ = outcome.end == FirmwareWriteEnd::Written ? kExitSuccess : kExitFailure;
    }
}

// The factory settings are the ones shipped with the configurator beside the tool.
int CliSession::Report() {
    const QString factoryFolder = environment_.configuratorPath.isEmpty()
                                      ? velor::DataFolder()
                                      : velor::DataFolder(environment_.configuratorPath);
    const ReportContext context{
        factoryFolder + QLatin1Char('/') + QLatin1String(velor::kFactoryDefaultsFile),
        options_.port, [this] { return ReadDeviceSettings(); },
        velor::TechnicianName(options_.book.technician, environment_.configuratorPath)};
    return RunReportCommand(options_, context, out_, err_);
}

// Connects and reads the settings as read-settings does.
DeviceSettings CliSession::ReadDeviceSettings() {
    if (const int connected = Connect(Operation::ConnectSettings); connected != kExitSuccess) {
        DeviceSettings failed;
        failed.exitCode = connected == kExitNoDevice ? kExitNoDevice : kExitReportFailed;
        return failed;
    }
    const std::optional<SettingsImage> image = ReadDevice();
    const TVelorDevDesc& id = session_.Device().Descriptor;
    return {image, image ? kExitSuccess : kExitReportFailed, QString::number(id.Type),
            VersionText(id), session_.Identity().usbSerial};
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
    environment.bookPath = velor::SiteBookPath(environment.configuratorPath);
    return environment;
}

namespace {

// The device commands take --port as a serial number too: it is turned into the bridge's path
// before the port is made.
int RunSession(const CliOptions& options, QTextStream& out, QTextStream& err,
               const CliEnvironment& environment) {
    // A report reaches the device only when one of its sources is the device.
    if (IsBookCommand(options) && !BookCommandUsesDevice(options)) {
        return RunBookCommand(options, environment, out, err);
    }
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
    std::optional<CliLanguage> language;
    language.emplace(environment.configuratorPath, environment.systemLocale, environment.runLocale);
    CliOptions options;
    try {
        options = ParseCliOptions(arguments);
    } catch (const std::exception& error) {
        PrintLine(err, QString::fromUtf8(error.what()));
        PrintLine(err, Cli::tr("список команд: velor580-cli --help"));
        return kExitUsage;
    }
    // report --lang: the report's language, and the run's.
    if (!options.language.isEmpty()) {
        language.reset();
        language.emplace(environment.configuratorPath, environment.systemLocale, options.language);
    }
    return RunCommand(options, out, err, environment);
}
