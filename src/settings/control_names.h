#pragma once

#include "settings/settings_image.h"

#include <QString>

// The names of the window's controls as the settings codec, the window and their tests compose
// them: a prefix and one or two decimal indices written one after the other ("ts1", "ts11",
// "shl32", "shvz288"), and the sizes of the numbered families. A settings field's control name or
// family prefix is in its record (settings/field_records.h).
namespace velor::window {

constexpr int kLoops = kLoopCount;     // alarm loops, ts1 ... ts8
constexpr int kOutputs = kOutputCount; // relay 1, relay 2, open-collector outputs 1 and 2
constexpr int kKeys = kMaxIdentifiers; // Touch Memory keys, CodeTM1 ... CodeTM28
constexpr int kRelays = kRelay2;       // outputs 1 and 2 are relays, 3 and 4 open collectors

QString Name(const char* prefix, int index);
QString Name(const char* prefix, int first, int second);

// The work-mode group of output 1 ... 4: ReleWorkMode1, ReleWorkMode2, OKWorkMode1, OKWorkMode2.
QString WorkModeGroupName(int output);

} // namespace velor::window
