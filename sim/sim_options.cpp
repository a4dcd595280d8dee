#include "sim/sim_options.h"

#include "link/hex_text.h"
#include "link/protocol.h"

#include <QCommandLineParser>

#include <stdexcept>

namespace velor::sim {

namespace {

constexpr uint32_t kMaxByte = 0xFF;
constexpr uint32_t kMaxWord = 0xFFFF;
constexpr uint32_t kMaxLong = 0xFFFF'FFFF;
constexpr int kKeyDigits = 12;
constexpr int kVersionParts = 3;

struct NamedValue {
    const char* name;
    int value;
};

constexpr NamedValue kFaultKinds[] = {
    {"no-reply", static_cast<int>(ReplyFault::Kind::NoReply)},
    {"wrong-start", static_cast<int>(ReplyFault::Kind::WrongStart)},
    {"bad-crc", static_cast<int>(ReplyFault::Kind::BadCrc)},
    {"short", static_cast<int>(ReplyFault::Kind::Short)},
};

// How the deciding status poll of a busy block ends.
constexpr NamedValue kBusyEnds[] = {{"accept", 0}, {"refuse", 1}};

constexpr NamedValue kCommands[] = {
    {"identify", protocol::kCmdIdentify}, {"select", protocol::kCmdSelectScenario},
    {"read", protocol::kCmdReadRequest},  {"write", protocol::kCmdWriteBlock},
    {"poll", protocol::kCmdStatusPoll},
};

std::runtime_error BadValue(const QString& what, const QString& text) {
    return std::runtime_error(QStringLiteral("bad %1 \"%2\"").arg(what, text).toStdString());
}

template <std::size_t N>
int Named(const NamedValue (&table)[N], const QString& text, const QString& what, bool numbersToo) {
    for (const NamedValue& entry : table) {
        if (text == QLatin1String(entry.name)) {
            return entry.value;
        }
    }
    if (numbersToo) {
        return static_cast<int>(ParseNumber(text, kMaxByte));
    }
    throw BadValue(what, text);
}

QStringList Fields(const QString& text, int min, int max, const QString& what) {
    const QStringList fields = text.split(QLatin1Char(':'));
    if (fields.size() < min || fields.size() > max) {
        throw BadValue(what, text);
    }
    return fields;
}

QCommandLineOption Option(const char* name, const char* description, const char* value = nullptr) {
    return value ? QCommandLineOption(QLatin1String(name), QString::fromUtf8(description),
                                      QLatin1String(value))
                 : QCommandLineOption(QLatin1String(name), QString::fromUtf8(description));
}

void AddOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(QStringLiteral(
        "A simulated model-580 device on a pseudo-terminal. Prints the terminal's path on the\n"
        "first line of standard output and serves until interrupted. Refusals and injected faults\n"
        "are logged on standard error."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        Option("type", "Device type reported to identify (default 580).", "N"),
        Option("platform", "Platform code reported to identify (default 5).", "N"),
        Option("device-version", "Three version bytes, e.g. 3.1.7 (the default).", "A.B.C"),
        Option("scenario",
               "Code, parameter and further value answered for scenario 1 (key read), 2 (settings "
               "read), 3 (settings write) or 4 (firmware write). Repeatable.",
               "N:CODE:PARAM[:VALUE]"),
        Option("settings",
               "Settings table to start from (default 580default.cfg beside the "
               "program, or in ../share/velor580 relative to it when installed).",
               "FILE.cfg"),
        Option("save", "Write the settings table to this file whenever the program writes it.",
               "FILE.cfg"),
        Option("key",
               "Identifier of the key on the reader, up to 12 hex digits, e.g. "
               "0123456789AB. Without it no key is on the reader (six zero bytes).",
               "HEX"),
        Option("busy",
               "Answer write block B as busy with delay code D (default 1 = 20 ms); earlier "
               "status polls answer busy, the P-th (default 1) finds it stored (END accept, the "
               "default) or refuses it (END refuse, status 0x20). Repeatable.",
               "B[:P[:D[:END]]]"),
        Option("refuse", "Refuse write block B (status 0x20). Repeatable.", "B"),
        Option("fault",
               "Damage the N-th reply (default 1) to a command: KIND is no-reply, wrong-start, "
               "bad-crc or short; COMMAND is identify, select, read, write, poll or a code such "
               "as 0x82. Repeatable.",
               "KIND:COMMAND[:N]"),
        Option("store-corrupt",
               "Store VALUE (0 to 255) at OFFSET (0 to 256) of every settings table written, "
               "whatever arrived there, so that a read-back finds it changed. Repeatable.",
               "OFFSET:VALUE"),
        Option("hang-up-after", "Serve N frames, then drop the line (close the terminal) and exit.",
               "N"),
        Option("no-pacing", "Answer at once instead of at the pace of a 9600-baud line."),
        Option("verbose", "Log every frame in both directions in hex."),
    });
}

// Runs apply on each value given to the option; a bad value's error names the option.
template <typename Apply>
void EachValue(const QCommandLineParser& parser, const char* name, Apply apply) {
    const QString option = QLatin1String(name);
    for (const QString& value : parser.values(option)) {
        try {
            apply(value);
        } catch (const std::runtime_error& e) {
            throw std::runtime_error(
                QStringLiteral("--%1 %2: %3").arg(option, value, e.what()).toStdString());
        }
    }
}

void ApplyIdentity(const QCommandLineParser& parser, SimIdentity& identity) {
    EachValue(parser, "type", [&identity](const QString& v) {
        identity.type = static_cast<uint16_t>(ParseNumber(v, kMaxWord));
    });
    EachValue(parser, "platform", [&identity](const QString& v) {
        identity.platform = static_cast<uint16_t>(ParseNumber(v, kMaxWord));
    });
    EachValue(parser, "device-version",
              [&identity](const QString& v) { identity.version = ParseVersion(v); });
}

void ApplyBehaviour(const QCommandLineParser& parser, SimBehaviour& behaviour) {
    auto& responses = behaviour.blockResponses;
    EachValue(parser, "busy", [&responses](const QString& v) {
        const auto [block, response] = ParseBusy(v);
        responses[block] = response;
    });
    EachValue(parser, "refuse", [&responses](const QString& v) {
        responses[static_cast<int>(ParseNumber(v, kMaxWord))].kind = BlockResponse::Kind::Refuse;
    });
    EachValue(parser, "fault",
              [&behaviour](const QString& v) { behaviour.faults.push_back(ParseFault(v)); });
    EachValue(parser, "store-corrupt", [&behaviour](const QString& v) {
        behaviour.storeCorruptions.push_back(ParseStoreCorruption(v));
    });
    EachValue(parser, "hang-up-after", [&behaviour](const QString& v) {
        behaviour.hangUpAfterFrames = static_cast<int>(ParseNumber(v, kMaxLong >> 1));
    });
}

void ApplyState(const QCommandLineParser& parser, SimState& state) {
    ApplyIdentity(parser, state.identity);
    EachValue(parser, "scenario", [&state](const QString& v) {
        const auto [number, entry] = ParseScenario(v);
        state.scenarios[static_cast<std::size_t>(number - 1)] = entry;
    });
    EachValue(parser, "key", [&state](const QString& v) { state.key = ParseKey(v); });
    ApplyBehaviour(parser, state.behaviour);
}

} // namespace

uint32_t ParseNumber(const QString& text, uint32_t max) {
    bool ok = false;
    const bool hex = text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive);
    const qulonglong value =
        hex ? text.mid(2).toULongLong(&ok, velor::kHexBase) : text.toULongLong(&ok);
    if (!ok || value > max) {
        throw BadValue(QStringLiteral("number"), text);
    }
    return static_cast<uint32_t>(value);
}

ReplyFault ParseFault(const QString& text) {
    const QStringList f = Fields(text, 2, 3, QStringLiteral("fault"));
    ReplyFault fault;
    fault.kind = static_cast<ReplyFault::Kind>(Named(kFaultKinds, f[0], "fault kind", false));
    fault.command = static_cast<uint8_t>(Named(kCommands, f[1], "command", true));
    fault.nth = f.size() > 2 ? static_cast<int>(ParseNumber(f[2], kMaxLong >> 1)) : 1;
    return fault;
}

std::pair<int, BlockResponse> ParseBusy(const QString& text) {
    const QStringList f = Fields(text, 1, 4, QStringLiteral("busy block"));
    BlockResponse busy;
    busy.kind = BlockResponse::Kind::Busy;
    if (f.size() > 1) {
        busy.busyPolls = static_cast<int>(ParseNumber(f[1], kMaxWord));
    }
    if (f.size() > 2) {
        busy.delayCode = static_cast<uint8_t>(ParseNumber(f[2], protocol::kStatusDelayMask));
    }
    if (f.size() > 3) {
        busy.pollRefuses = Named(kBusyEnds, f[3], "busy end", false) != 0;
    }
    return {static_cast<int>(ParseNumber(f[0], kMaxWord)), busy};
}

std::pair<int, ScenarioEntry> ParseScenario(const QString& text) {
    const QStringList f = Fields(text, 3, 4, QStringLiteral("scenario"));
    const int number = static_cast<int>(ParseNumber(f[0], kScenarioCount));
    if (number < 1) {
        throw BadValue(QStringLiteral("scenario"), text);
    }
    ScenarioEntry entry;
    entry.code = static_cast<uint16_t>(ParseNumber(f[1], kMaxWord));
    entry.param = ParseNumber(f[2], kMaxLong);
    entry.extra = f.size() > 3 ? ParseNumber(f[3], kMaxLong) : 0;
    return {number, entry};
}

StoreCorruption ParseStoreCorruption(const QString& text) {
    const QStringList f = Fields(text, 2, 2, QStringLiteral("offset and value"));
    const auto inRange = [](const QString& field, uint32_t max, const char* what) {
        try {
            return ParseNumber(field, max);
        } catch (const std::runtime_error&) {
            throw BadValue(QStringLiteral("%1 (0 to %2)").arg(QLatin1String(what)).arg(max), field);
        }
    };
    StoreCorruption corruption;
    corruption.offset = inRange(f[0], protocol::kSettingsTableSize - 1, "offset");
    corruption.value = static_cast<uint8_t>(inRange(f[1], kMaxByte, "value"));
    return corruption;
}

uint64_t ParseKey(const QString& text) {
    const QString digits =
        text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive) ? text.mid(2) : text;
    bool ok = false;
    const qulonglong value = digits.toULongLong(&ok, velor::kHexBase);
    if (!ok || digits.size() > kKeyDigits) {
        throw BadValue(QStringLiteral("key identifier"), text);
    }
    return value;
}

std::array<uint8_t, 3> ParseVersion(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != kVersionParts) {
        throw BadValue(QStringLiteral("version"), text);
    }
    std::array<uint8_t, 3> version{};
    for (int i = 0; i < kVersionParts; ++i) {
        version[static_cast<std::size_t>(i)] =
            static_cast<uint8_t>(ParseNumber(parts[i], kMaxByte));
    }
    return version;
}

SimOptions ParseSimOptions(const QStringList& arguments) {
    QCommandLineParser parser;
    AddOptions(parser);
    if (!parser.parse(arguments)) {
        throw std::runtime_error(parser.errorText().toStdString());
    }
    if (!parser.positionalArguments().isEmpty()) {
        throw BadValue(QStringLiteral("argument"), parser.positionalArguments().first());
    }
    SimOptions options;
    options.help = parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
    options.version = parser.isSet(QStringLiteral("version"));
    ApplyState(parser, options.state);
    options.settingsFile = parser.value(QStringLiteral("settings"));
    options.saveFile = parser.value(QStringLiteral("save"));
    options.paced = !parser.isSet(QStringLiteral("no-pacing"));
    options.verbose = parser.isSet(QStringLiteral("verbose"));
    return options;
}

QString SimHelpText() {
    QCommandLineParser parser;
    AddOptions(parser);
    return parser.helpText();
}

} // namespace velor::sim
