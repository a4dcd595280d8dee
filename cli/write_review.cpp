#include "cli/write_review.h"

#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/quoted_name.h"
#include "operations/status_dispatch.h"
#include "settings/settings_check.h"
#include "settings/settings_fingerprint.h"

namespace {

using velor::settings::FieldChange;
using velor::settings::ShortFingerprint;

const QLatin1String kProgramName("velor580-cli");

void PrintChanges(QTextStream& out, const std::vector<FieldChange>& changes) {
    if (changes.empty()) {
        PrintLine(out, Cli::tr("Нет изменений"));
    }
    for (const FieldChange& change : changes) {
        PrintLine(out, velor::settings::ChangeLine(change));
    }
}

// What the check finds in the settings about to be written: the device would not keep them as
// meant. The write stays the technician's choice.
void PrintWarnings(QTextStream& out, const SettingsImage& file) {
    const std::vector<velor::settings::CheckFinding> findings =
        velor::settings::CheckSettings(file).findings;
    if (findings.empty()) {
        return;
    }
    PrintLine(out, Cli::tr("Предупреждения проверки (%1):").arg(findings.size()));
    for (const velor::settings::CheckFinding& finding : findings) {
        PrintLine(out, Cli::tr("  внимание: %1").arg(velor::settings::FindingLine(finding)));
    }
}

} // namespace

void PrintReview(QTextStream& out, const SettingsImage& device, const SettingsImage& file,
                 const QString& fileName) {
    PrintLine(out, Cli::tr("Настройки прибора: %1").arg(ShortFingerprint(device)));
    PrintLine(out,
              Cli::tr("Настройки файла %1: %2").arg(QuotedName(fileName), ShortFingerprint(file)));
    PrintWarnings(out, file);
    PrintChanges(out, velor::settings::DiffSettings(device, file));
}

void PrintMismatch(QTextStream& out, const SettingsImage& sent, const SettingsImage& kept) {
    PrintLine(out, Cli::tr("Записано: %1").arg(ShortFingerprint(sent)));
    PrintLine(out, Cli::tr("В приборе: %1").arg(ShortFingerprint(kept)));
    PrintChanges(out, velor::settings::DiffSettings(sent, kept));
}

QString WayBackCommand(const QString& port, const QString& snapshotPath) {
    return DeviceCommandLine(port, QStringLiteral("write-settings"), snapshotPath);
}

QString DeviceCommandLine(const QString& port, const QString& command, const QString& file) {
    QStringList words{kProgramName};
    if (!port.isEmpty()) {
        words << QStringLiteral("--port") << ShellWord(port);
    }
    words << command << ShellWord(file);
    return words.join(QLatin1Char(' '));
}

void PrintFirmwareSummary(QTextStream& out, const QString& fileName,
                          const std::vector<uint8_t>& image, const TVelorDevDesc& file,
                          const TVelorDevDesc& device) {
    // Of the whole file as read, trailing bytes included.
    const QString sha256 = ShortFingerprint(image);
    PrintLine(out, Cli::tr("Файл ПО: %1, %2 байт").arg(QuotedName(fileName)).arg(image.size()));
    PrintLine(out, Cli::tr("ПО для прибора: тип %1, платформа %2, версия %3")
                       .arg(file.Type)
                       .arg(file.Platform)
                       .arg(VersionText(file)));
    PrintLine(out, QStringLiteral("SHA-256: %1").arg(sha256));
    PrintLine(out, Cli::tr("Подключен прибор: тип %1, платформа %2, версия %3")
                       .arg(device.Type)
                       .arg(device.Platform)
                       .arg(VersionText(device)));
}
