#pragma once

#include "settings/settings_image.h"

#include <QString>

#include <array>

// The names of the window's controls as the settings codec, the window and their tests compose
// them: a prefix and one or two decimal indices written one after the other ("ts1", "ts11",
// "shl32", "shvz288"), and the sizes of the numbered families.
namespace velor::window {

constexpr int kLoops = kLoopCount;     // alarm loops, ts1 ... ts8
constexpr int kOutputs = kOutputCount; // relay 1, relay 2, open-collector outputs 1 and 2
constexpr int kKeys = kMaxIdentifiers; // Touch Memory keys, CodeTM1 ... CodeTM28
constexpr int kRelays = kRelay2;       // outputs 1 and 2 are relays, 3 and 4 open collectors

QString Name(const char* prefix, int index);
QString Name(const char* prefix, int first, int second);

// The work-mode group of output 1 ... 4: ReleWorkMode1, ReleWorkMode2, OKWorkMode1, OKWorkMode2.
QString WorkModeGroupName(int output);

// The items of an output's work-mode group, top to bottom; no item is -1. The image stores the
// item plus one (0 for none).
enum OutputWorkMode : int {
    kPcnAlarmMode = 0, // "ПЦН тревога"
    kControlLampMode,  // "Контр. лампа"
    kArmDisarmMode,    // "Взят/снят": security loops only
    kSoundMode,        // "Звуковой": the duration comes from TimeAlarmEdit
    kAlarmMode,        // "Тревога"
    kExecutiveMode,    // "Исполнительный": security loops only
    kSpecialMode,      // "Специальный": timing chosen by the user
};

// The notification boxes of an output (prefix + output number), top to bottom on its sub-page.
constexpr int kEventBoxCount = 7;
extern const std::array<const char*, kEventBoxCount> kEventBoxPrefixes;

// The timing lists of an output (prefix + output number), top to bottom on its sub-page:
// opening time, closing time, notification duration, inverse mode.
constexpr int kTimingListCount = 4;
extern const std::array<const char*, kTimingListCount> kTimingListPrefixes;

} // namespace velor::window
