#include "cli/report_commands.h"

#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/report_sources.h"
#include "cli/settings_report.h"
#include "cli/visit_report_command.h"
#include "settings/settings_check.h"
#include "settings/settings_diff.h"

#include <vector>

namespace {

void Print(QTextStream& out, const QString& text) {
    out << text;
}

void Print(QTextStream& out, const QByteArray& json) {
    out << QString::fromUtf8(json);
}

} // namespace

bool IsReportCommand(CliCommand command) {
    return command == CliCommand::Show || command == CliCommand::Diff ||
           command == CliCommand::Check || command == CliCommand::Report;
}

bool ReadsDevice(const CliOptions& options) {
    return IsReportCommand(options.command) &&
           (options.sources.contains(kDeviceSource) || options.before == kDeviceSource);
}

int RunReportCommand(const CliOptions& options, const ReportContext& context, QTextStream& out,
                     QTextStream& err) {
    if (options.command == CliCommand::Report) {
        return RunVisitReport(options, context, err);
    }
    SourceReader reader(context, err);
    std::vector<ReportSource> sources;
    for (const QString& word : options.sources) {
        sources.push_back(reader.Source(word));
    }
    std::vector<SettingsImage> images;
    if (const int failed = reader.Read(sources, images); failed != kExitSuccess) {
        return failed;
    }
    switch (options.command) {
    case CliCommand::Diff: {
        const bool equal = images[0] == images[1];
        if (options.json) {
            Print(out, DiffJson(images[0], sources[0], images[1], sources[1]));
        } else {
            Print(out, DiffText(images[0], sources[0], images[1], sources[1]));
        }
        return equal ? kExitSuccess : kExitDifferent;
    }
    case CliCommand::Check: {
        const velor::settings::SettingsCheck check = velor::settings::CheckSettings(images[0]);
        if (options.json) {
            Print(out, CheckJson(images[0], sources[0], check));
        } else {
            Print(out, CheckText(images[0], sources[0], check));
        }
        return check.findings.empty() ? kExitSuccess : kExitDifferent;
    }
    default:
        if (options.json) {
            Print(out, ShowJson(images[0], sources[0]));
        } else {
            Print(out, ShowText(images[0], sources[0]));
        }
        return kExitSuccess;
    }
}

QString ReportCommandsHelpText() {
    return Cli::tr(
        "\n"
        "Просмотр, сравнение и проверка настроек. ИСТОЧНИК -- файл .cfg, device (настройки,\n"
        "прочитанные из прибора) или factory (заводские настройки 580default.cfg); файл с\n"
        "именем device или factory задается как ./device, ./factory.\n"
        "  show ИСТОЧНИК         вывести все настройки по страницам окна\n"
        "  diff A B              вывести поля, в которых A и B различаются:\n"
        "                          поле: было → стало\n"
        "  check ИСТОЧНИК        вывести, что окно не сохранит, загрузив эти настройки,\n"
        "                        и что в них не имеет смысла: по строке на замечание\n"
        "  --json                отчет show, diff или check документом JSON с постоянными\n"
        "                        ключами полей (general.sounder_duration_s, loops[3].type,\n"
        "                        outputs.relay1.work_mode, keys[2].code; ШС, выходы и\n"
        "                        ключи нумеруются, как в окне, с 1)\n"
        "Каждый отчет показывает отпечаток настроек: первые 12 шестнадцатеричных цифр\n"
        "SHA-256 от 257 байт (в JSON и все 64).\n"
        "\n"
        "Код завершения show, diff и check: 0 отчет выведен (diff: настройки совпадают,\n"
        "check: замечаний нет); 1 настройки различаются (diff) или есть замечания (check);\n"
        "2 ошибка в командной строке; 3 не удалось открыть порт; 4 не удалось прочитать\n"
        "файл настроек (нет файла, не обычный файл, мало строк, строка -- не число);\n"
        "5 не удалось прочитать настройки из прибора или вывести отчет.\n");
}
