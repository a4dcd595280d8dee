#include "cli/cli_options.h"

#include <array>
#include <stdexcept>

namespace {

struct CommandEntry {
    const char* name;
    CliCommand command;
    bool takesFile;
};

constexpr std::array<CommandEntry, 5> kCommands{{
    {"identify", CliCommand::Identify, false},
    {"read-settings", CliCommand::ReadSettings, true},
    {"write-settings", CliCommand::WriteSettings, true},
    {"read-key", CliCommand::ReadKey, false},
    {"write-firmware", CliCommand::WriteFirmware, true},
}};

const QLatin1String kPortOption("--port");
const QLatin1String kHelpOption("--help");
const QLatin1String kVersionOption("--version");

[[noreturn]] void Refuse(const QString& text) {
    throw std::runtime_error(text.toStdString());
}

const CommandEntry& FindCommand(const QString& name) {
    for (const CommandEntry& entry : kCommands) {
        if (name == QLatin1String(entry.name)) {
            return entry;
        }
    }
    Refuse(QStringLiteral("unknown command \"%1\"").arg(name));
}

} // namespace

CliOptions ParseCliOptions(const QStringList& arguments) {
    CliOptions options;
    QStringList words;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == kHelpOption || argument == QLatin1String("-h")) {
            options.help = true;
        } else if (argument == kVersionOption) {
            options.version = true;
        } else if (argument == kPortOption) {
            if (++i == arguments.size()) {
                Refuse(QStringLiteral("--port needs a device path"));
            }
            options.port = arguments[i];
        } else if (argument.startsWith(QLatin1String("--port="))) {
            options.port = argument.mid(kPortOption.size() + 1);
        } else if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            Refuse(QStringLiteral("unknown option \"%1\"").arg(argument));
        } else {
            words << argument;
        }
    }
    if (options.help || options.version) {
        return options;
    }
    if (words.isEmpty()) {
        Refuse(QStringLiteral("no command given"));
    }
    const CommandEntry& entry = FindCommand(words.takeFirst());
    options.command = entry.command;
    if (entry.takesFile) {
        if (words.isEmpty()) {
            Refuse(QStringLiteral("%1 needs a file").arg(QLatin1String(entry.name)));
        }
        options.file = words.takeFirst();
    }
    if (!words.isEmpty()) {
        Refuse(QStringLiteral("unexpected argument \"%1\"").arg(words.first()));
    }
    return options;
}

QString CliHelpText() {
    return QStringLiteral(
        "Usage: velor580-cli [--port PATH] COMMAND [FILE]\n"
        "\n"
        "Works with a model-580 device over the first FTDI USB-serial bridge, or over the\n"
        "serial device PATH (for example the simulator's pseudo-terminal).\n"
        "\n"
        "Commands:\n"
        "  identify             print the device's identity:\n"
        "                         type=<n> platform=<n> version=<a>_<b>_<c>\n"
        "  read-settings OUT    read the settings and save them as a .cfg file\n"
        "  write-settings IN    write the settings of a .cfg file to the device\n"
        "  read-key             read the key held to the reader; prints its identifier as\n"
        "                       12 hexadecimal digits\n"
        "  write-firmware IN    write a firmware file (.tsk) to the device, after checking\n"
        "                       that its device type and platform are the device's\n"
        "\n"
        "Options:\n"
        "  --port PATH          use this serial device instead of the first FTDI bridge\n"
        "  -h, --help           print this help and exit\n"
        "  --version            print the program's version and exit\n"
        "\n"
        "The checks of the configurator apply: the device must be a model 580, and the\n"
        "settings of a device whose first version byte is 2 (Velor-Vorsan system) are\n"
        "neither read nor changed. identify and write-firmware connect as the firmware work\n"
        "mode does and accept such a device.\n"
        "\n"
        "Results (identity, key identifier) go to standard output; the status text of every\n"
        "outcome, progress and errors go to standard error.\n"
        "\n"
        "Exit status: 0 success; 1 the operation failed or was refused; 2 bad command line;\n"
        "3 the port could not be opened.\n");
}
