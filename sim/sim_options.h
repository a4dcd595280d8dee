#pragma once

#include "sim/sim_config.h"

#include <QString>
#include <QStringList>

namespace velor::sim {

// The velor580-sim command line.
struct SimOptions {
    SimState state;       // identity, scenarios, key and behaviour; settings come from the file
    QString settingsFile; // empty: 580default.cfg beside the program
    QString saveFile;     // empty: written settings are kept in memory only
    bool paced = true;    // 9600-baud timing on the line
    bool verbose = false; // every frame in hex on stderr
    bool help = false;
    bool version = false; // print the program's version and stop
};

// Parses the arguments (the program name first). Throws std::runtime_error naming the bad option.
SimOptions ParseSimOptions(const QStringList& arguments);
QString SimHelpText();

// One value each, as the options take them; each throws std::runtime_error when malformed.
// "bad-crc:0x82:3": kind (no-reply, wrong-start, bad-crc, short), command (a code or identify,
// select, read, write, poll), the n-th reply to it (default 1).
ReplyFault ParseFault(const QString& text);
// "2:3:4:refuse": block, number of polls until the one that decides (default 1), delay code
// (default 1), how the deciding poll ends: accept (the default) or refuse.
std::pair<int, BlockResponse> ParseBusy(const QString& text);
// "2:0x0202:257:320": scenario 1 to 4, code, parameter, further value (default 0).
std::pair<int, ScenarioEntry> ParseScenario(const QString& text);
// "3:99": settings table offset 0 to 256, the byte value 0 to 255 stored there.
StoreCorruption ParseStoreCorruption(const QString& text);
// "0123456789AB": up to 12 hexadecimal digits.
uint64_t ParseKey(const QString& text);
// "3.1.7".
std::array<uint8_t, 3> ParseVersion(const QString& text);
// Decimal, or hexadecimal after "0x"; at most max.
uint32_t ParseNumber(const QString& text, uint32_t max);

} // namespace velor::sim
