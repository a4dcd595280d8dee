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

constexpr std::array<CommandEntry, 13> kCommands{{
    {"identify", CliCommand::Identify, false},
    {"read-settings", CliCommand::ReadSettings, true},
    {"write-settings", CliCommand::WriteSettings, true},
    {"read-key", CliCommand::ReadKey, false},
    {"write-firmware", CliCommand::WriteFirmware, true},
    {"show", CliCommand::Show, false, 1},
    {"diff", CliCommand::Diff, false, 2},
    {"check", CliCommand::Check, false, 1},
    {"history", CliCommand::History, false},
    {"ports", CliCommand::Ports, false},
    {"site", CliCommand::Site, false},
    {"visits", CliCommand::Visits, false},
    {"book", CliCommand::Book, false},
}};

const QLatin1String kPortOption("--port");
const QLatin1String kAutomaticPort("auto"); // --port auto: the first FTDI bridge, as without it
const QLatin1String kHelpOption("--help");
const QLatin1String kShortHelpOption("-h");
const QLatin1String kEndOfOptions("--"); // every argument after it is a command or a file
const QLatin1String kVersionOption("--version");
const QLatin1String kDryRunOption("--dry-run");     // write-settings only
const QLatin1String kNoVerifyOption("--no-verify"); // write-settings only
const QLatin1String kJsonOption("--json");          // show, diff, check and history

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

// The port an option value names; empty for the automatic choice. An empty value (an unset
// variable in a script) is refused rather than taken for the first bridge.
QString PortValue(const QString& value) {
    if (value.isEmpty()) {
        Refuse(Cli::tr("--port не может быть пустым: первый мост FTDI выбирается без --port "
                       "или с --port auto"));
    }
    return value == kAutomaticPort ? QString() : value;
}

// The settings sources of show, diff and check.
void TakeSources(const CommandEntry& entry, QStringList& words, CliOptions& options) {
    if (entry.sources == 0) {
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

// An option that belongs to one command is refused with any other, so that a mistyped command
// line never runs with the option silently dropped.
void CheckOptionsFit(const CliOptions& options) {
    const bool writesSettings = options.command == CliCommand::WriteSettings;
    if (options.dryRun && !writesSettings) {
        Refuse(Cli::tr("параметр %1 есть только у команды write-settings").arg(kDryRunOption));
    }
    if (!options.verify && !writesSettings) {
        Refuse(Cli::tr("параметр %1 есть только у команды write-settings").arg(kNoVerifyOption));
    }
    const bool reports = options.command == CliCommand::Show ||
                         options.command == CliCommand::Diff ||
                         options.command == CliCommand::Check ||
                         options.command == CliCommand::History || IsBookCommand(options);
    if (options.json && !reports) {
        Refuse(Cli::tr("параметр %1 есть только у команд show, diff, check и history")
                   .arg(kJsonOption));
    }
}

// The port's own rules, after the general help.
QString PortHelpText() {
    return Cli::tr(
        "\n"
        "Порт: --port auto выбирает первый мост FTDI, как и вызов без --port; пустое\n"
        "значение (--port '', --port=) -- ошибка в командной строке (код 2). Порт\n"
        "открывается только для одной программы и занят ею, пока команда не закончится:\n"
        "ни другая команда, ни окно программы настройки его в это время не откроют.\n"
        "Занятый порт отклоняется сразу, без обращения к прибору: \"Порт ПУТЬ занят\n"
        "другой программой\" (код 3).\n");
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
        } else if (argument == kDryRunOption) {
            options.dryRun = true;
        } else if (argument == kNoVerifyOption) {
            options.verify = false;
        } else if (argument == kJsonOption) {
            options.json = true;
        } else if (argument == kPortOption) {
            if (++i == arguments.size()) {
                Refuse(Cli::tr("после --port нужен путь к устройству или серийный номер моста"));
            }
            options.port = PortValue(arguments[i]);
        } else if (argument.startsWith(QLatin1String("--port="))) {
            options.port = PortValue(argument.mid(kPortOption.size() + 1));
        } else if (TakeBookOption(arguments, i, options.book)) {
            continue;
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
    TakeBookWords(options, words);
    if (!words.isEmpty()) {
        Refuse(Cli::tr("лишний аргумент \"%1\"").arg(words.first()));
    }
    CheckOptionsFit(options);
    CheckBookOptionsFit(options);
    return options;
}

QString CliHelpText() {
    return Cli::tr(
               "Вызов: velor580-cli [--port ПУТЬ|СЕРИЙНЫЙ_НОМЕР] [ПАРАМЕТРЫ] [--] КОМАНДА [ФАЙЛ]\n"
               "\n"
               "Работает с прибором 580 через первый USB-последовательный мост FTDI, через мост\n"
               "с заданным серийным номером USB или через последовательное устройство ПУТЬ\n"
               "(например, псевдотерминал имитатора).\n"
               "\n"
               "Команды:\n"
               "  identify             вывести сведения о приборе:\n"
               "                         type=<n> platform=<n> version=<a>_<b>_<c>\n"
               "  read-settings OUT    прочитать настройки и сохранить их в файл .cfg; папка\n"
               "                       файла проверяется до обращения к прибору\n"
               "  write-settings IN    записать в прибор настройки из файла .cfg: сначала\n"
               "                       читает настройки прибора и выводит, что изменится\n"
               "                       (\"поле: было → станет\", отпечатки обеих настроек),\n"
               "                       сохраняет прежние настройки в историю, записывает и\n"
               "                       читает их обратно для сравнения побайтно\n"
               "  read-key             прочитать ключ, приложенный к считывателю; выводит его\n"
               "                       идентификатор: 12 шестнадцатеричных цифр\n"
               "  write-firmware IN    записать в прибор файл ПО (.tsk), проверив, что тип\n"
               "                       прибора и платформа в файле совпадают с прибором; до\n"
               "                       записи выводит имя, размер, тип, платформу и SHA-256\n"
               "                       файла, тип и версию подключенного прибора\n"
               "  history              список снимков настроек, сохраненных перед записями,\n"
               "                       от нового к старому: время, тип и версия прибора,\n"
               "                       отпечаток, файл; снимок возвращается в прибор командой\n"
               "                       write-settings ФАЙЛ_СНИМКА\n"
               "  ports                подключенные мосты FTDI: устройство, серийный номер\n"
               "                       USB, место на шине USB, можно ли его открыть и почему\n"
               "                       нет; первый в списке используется без --port\n"
               "\n"
               "Параметры:\n"
               "  --port ПУТЬ          последовательное устройство вместо моста FTDI\n"
               "  --port НОМЕР         мост FTDI с этим серийным номером USB (значение без \"/\")\n"
               "  --dry-run            write-settings: только вывести изменения, не записывать\n"
               "  --no-verify          write-settings: не читать настройки обратно после записи\n"
               "  --json               show, diff, check, history: одним документом JSON\n"
               "  -h, --help           эта справка\n"
               "  --version            версия программы\n"
               "  --                   конец параметров: дальше только команда и файл\n"
               "\n"
               "Действуют проверки программы настройки: прибор должен быть моделью 580, а\n"
               "настройки прибора, у которого первый байт версии равен 2 (система Велор-Ворсан),\n"
               "не читаются и не изменяются. identify и write-firmware подключаются, как режим\n"
               "смены ПО, и принимают такой прибор.\n"
               "\n"
               "История настроек: папка history рядом с программой в ее собственной папке,\n"
               "иначе ~/.local/share/velor580/history. Хранятся 200 последних снимков; снимок\n"
               "моложе 30 дней не удаляется. Если снимок сохранить нельзя, запись не начинается.\n"
               "\n"
               "Результаты (сведения о приборе, идентификатор ключа, список изменений, списки\n"
               "history и ports) выводятся в стандартный вывод; текст состояния каждого исхода,\n"
               "ход передачи и ошибки -- в стандартный поток ошибок. Ход передачи обновляет одну\n"
               "строку в терминале и пишется по строке на шаг в файл или канал.\n"
               "\n"
               "Язык текстов -- тот, что выбран в программе настройки ([Language] Default в\n"
               "velor580.INI), а если он там не задан -- язык системы (LC_ALL, LC_MESSAGES,\n"
               "LANG). Библиотека языка (velor580.EN) берется из папки программы настройки.\n"
               "Переменная VELOR580_LANGUAGE (например, EN) задает язык одного запуска.\n"
               "\n"
               "Код завершения: 0 успех (history и ports -- и при пустом списке); 1 операция не\n"
               "выполнена или отклонена, настройки после записи не совпали с записанными, снимок\n"
               "не сохранен, либо результат не удалось вывести; 2 ошибка в командной строке;\n"
               "3 не удалось открыть порт или нет моста с заданным серийным номером.\n") +
           PortHelpText() + ReportCommandsHelpText() + BookHelpText();
}
