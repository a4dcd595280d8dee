#include "cli/report_commands.h"

#include "cli/cli_texts.h"
#include "cli/console_host.h"
#include "cli/settings_report.h"
#include "settings/cfg_format.h"
#include "settings/settings_check.h"
#include "settings/settings_diff.h"

#include <stdexcept>
#include <vector>

namespace {

// Source words that name no file; a file of that name is given as ./device or ./factory.
const QLatin1String kDeviceSource("device");
const QLatin1String kFactorySource("factory");

// The sources of one command, read files first so that a bad file is reported before the
// device is asked; the device is read once, however often it is named.
class SourceReader {
public:
    SourceReader(const ReportContext& context, QTextStream& err) : context_(context), err_(err) {}

    ReportSource Source(const QString& word) const {
        if (word == kDeviceSource) {
            return {ReportSource::Kind::Device, context_.port};
        }
        if (word == kFactorySource) {
            return {ReportSource::Kind::Factory, context_.factoryFile};
        }
        return {ReportSource::Kind::File, word};
    }

    // The images of the sources in their order, or the exit status of the first failure.
    int Read(const std::vector<ReportSource>& sources, std::vector<SettingsImage>& images) {
        images.assign(sources.size(), SettingsImage());
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (sources[i].kind != ReportSource::Kind::Device) {
                if (const int failed = ReadFile(sources[i].path, images[i]);
                    failed != kExitSuccess) {
                    return failed;
                }
            }
        }
        for (std::size_t i = 0; i < sources.size(); ++i) {
            if (sources[i].kind == ReportSource::Kind::Device) {
                if (const int failed = ReadDevice(images[i]); failed != kExitSuccess) {
                    return failed;
                }
            }
        }
        return kExitSuccess;
    }

private:
    int ReadFile(const QString& path, SettingsImage& image) {
        try {
            image = LoadCfgFile(path);
        } catch (const std::runtime_error& error) {
            PrintLine(err_, QString::fromUtf8(error.what()));
            return kExitFileError;
        }
        return kExitSuccess;
    }

    int ReadDevice(SettingsImage& image) {
        if (!deviceRead_) {
            device_ = context_.readDevice();
            deviceRead_ = true;
        }
        if (!device_.image) {
            return device_.exitCode == kExitSuccess ? kExitReportFailed : device_.exitCode;
        }
        image = *device_.image;
        return kExitSuccess;
    }

    const ReportContext& context_;
    QTextStream& err_;
    bool deviceRead_ = false;
    DeviceSettings device_;
};

void Print(QTextStream& out, const QString& text) {
    out << text;
}

void Print(QTextStream& out, const QByteArray& json) {
    out << QString::fromUtf8(json);
}

} // namespace

bool IsReportCommand(CliCommand command) {
    return command == CliCommand::Show || command == CliCommand::Diff ||
           command == CliCommand::Check;
}

bool ReadsDevice(const CliOptions& options) {
    return IsReportCommand(options.command) && options.sources.contains(kDeviceSource);
}

int RunReportCommand(const CliOptions& options, const ReportContext& context, QTextStream& out,
                     QTextStream& err) {
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
