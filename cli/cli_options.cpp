#include "cli/cli_options.h"

#include "cli/cli_texts.h"
#include "cli/report_commands.h"

#include <array>
#include <stdexcept>

namespace {

struct CommandEntry {
    const char* name;
    CliCommand command;
    bool takesFile;
    int sources = 0; // settings sources of show, diff and check, which also take --json
};

constexpr std::array<CommandEntry, 8> kCommands{{
    {"identify", CliCommand::Identify, false},
    {"read-settings", CliCommand::ReadSettings, true},
    {"write-settings", CliCommand::WriteSettings, true},
    {"read-key", CliCommand::ReadKey, false},
    {"write-firmware", CliCommand::WriteFirmware, true},
    {"show", CliCommand::Show, false, 1},
    {"diff", CliCommand::Diff, false, 2},
    {"check", CliCommand::Check, false, 1},
}};

const QLatin1String kPortOption("--port");
const QLatin1String kHelpOption("--help");
const QLatin1String kShortHelpOption("-h");
const QLatin1String kEndOfOptions("--"); // every argument after it is a command or a file
const QLatin1String kVersionOption("--version");
const QLatin1String kJsonOption("--json");

[[noreturn]] void Refuse(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

const CommandEntry& FindCommand(const QString& name) {
    for (const CommandEntry& entry : kCommands) {
        if (name == QLatin1String(entry.name)) {
            return entry;
        }
    }
    Refuse(Cli::tr("неизвестная команда \"%1\"").arg(name));
}

// The settings sources of show, diff and check; --json belongs to them alone.
void TakeSources(const CommandEntry& entry, QStringList& words, CliOptions& options) {
    if (entry.sources == 0) {
        if (options.json) {
            Refuse(Cli::tr("параметр --json есть только у команд show, diff и check"));
        }
        return;
    }
    if (words.size() < entry.sources) {
        Refuse(entry.sources == 1
                   ? Cli::tr("команде %1 нужен источник настроек: файл .cfg, device или factory")
                         .arg(QLatin1String(entry.name))
                   : Cli::tr("команде %1 нужны два источника настроек: A и B")
                         .arg(QLatin1String(entry.name)));
    }
    for (int i = 0; i < entry.sources; ++i) {
        options.sources << words.takeFirst();
    }
}

} // namespace

CliOptions ParseCliOptions(const QStringList& arguments) {
    CliOptions options;
    QStringList words;
    bool optionsEnded = false;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (optionsEnded) {
            words << argument;
        } else if (argument == kEndOfOptions) {
            optionsEnded = true;
        } else if (argument == kHelpOption || argument == kShortHelpOption) {
            options.help = true;
        } else if (argument == kVersionOption) {
            options.version = true;
        } else if (argument == kJsonOption) {
            options.json = true;
        } else if (argument == kPortOption) {
            if (++i == arguments.size()) {
                Refuse(Cli::tr("после --port нужен путь к устройству"));
            }
            options.port = arguments[i];
        } else if (argument.startsWith(QLatin1String("--port="))) {
            options.port = argument.mid(kPortOption.size() + 1);
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            Refuse(Cli::tr("неизвестный параметр \"%1\"").arg(argument));
        } else {
            words << argument;
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (words.isEmpty()) {
        Refuse(Cli::tr("не задана команда"));
    }
    const CommandEntry& entry = FindCommand(words.takeFirst());
    options.command = entry.command;
    if (entry.takesFile) {
        if (words.isEmpty()) {
            Refuse(Cli::tr("команде %1 нужен файл").arg(QLatin1String(entry.name)));
        }
        options.file = words.takeFirst();
    }
    TakeSources(entry, words, options);
    if (!words.isEmpty()) {
        Refuse(Cli::tr("лишний аргумент \"%1\"").arg(words.first()));
    }
    return options;
}

QString CliHelpText() {
    return Cli::tr(
               "Вызов: velor580-cli [--port ПУТЬ] [--] КОМАНДА [ФАЙЛ]\n"
               "\n"
               "Работает с прибором 580 через первый USB-последовательный мост FTDI или через\n"
               "последовательное устройство ПУТЬ (например, псевдотерминал имитатора).\n"
               "\n"
               "Команды:\n"
               "  identify             вывести сведения о приборе:\n"
               "                         type=<n> platform=<n> version=<a>_<b>_<c>\n"
               "  read-settings OUT    прочитать настройки и сохранить их в файл .cfg; папка\n"
               "                       файла проверяется до обращения к прибору\n"
               "  write-settings IN    записать в прибор настройки из файла .cfg\n"
               "  read-key             прочитать ключ, приложенный к считывателю; выводит его\n"
               "                       идентификатор: 12 шестнадцатеричных цифр\n"
               "  write-firmware IN    записать в прибор файл ПО (.tsk), проверив, что тип\n"
               "                       прибора и платформа в файле совпадают с прибором\n"
               "\n"
               "Параметры:\n"
               "  --port ПУТЬ          последовательное устройство вместо моста FTDI\n"
               "  -h, --help           эта справка\n"
               "  --version            версия программы\n"
               "  --                   конец параметров: дальше только команда и файл\n"
               "\n"
               "Действуют проверки программы настройки: прибор должен быть моделью 580, а\n"
               "настройки прибора, у которого первый байт версии равен 2 (система Велор-Ворсан),\n"
               "не читаются и не изменяются. identify и write-firmware подключаются, как режим\n"
               "смены ПО, и принимают такой прибор.\n"
               "\n"
               "Результаты (сведения о приборе, идентификатор ключа) выводятся в стандартный\n"
               "вывод; текст состояния каждого исхода, ход передачи и ошибки -- в стандартный\n"
               "поток ошибок. Ход передачи обновляет одну строку в терминале и пишется по строке\n"
               "на шаг в файл или канал.\n"
               "\n"
               "Язык текстов -- тот, что выбран в программе настройки ([Language] Default в\n"
               "velor580.INI), а если он там не задан -- язык системы (LC_ALL, LC_MESSAGES,\n"
               "LANG). Библиотека языка (velor580.EN) берется из папки программы настройки.\n"
               "Переменная VELOR580_LANGUAGE (например, EN) задает язык одного запуска.\n"
               "\n"
               "Код завершения: 0 успех; 1 операция не выполнена или отклонена либо ее результат\n"
               "не удалось вывести; 2 ошибка в командной строке; 3 не удалось открыть порт.\n") +
           ReportCommandsHelpText();
}
