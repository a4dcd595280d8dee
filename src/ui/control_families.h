#pragma once

#include <QString>

// Sizes of the window's control families and the composition of their names: a prefix and one
// or two decimal indices written one after the other ("ts1", "ts11", "shl32", "shvz288").
namespace velor::window {

constexpr int kLoops = 8;   // alarm loops, ts1 ... ts8
constexpr int kOutputs = 4; // relay 1, relay 2, open-collector output 1, open-collector output 2
constexpr int kKeys = 28;   // Touch Memory keys, CodeTM1 ... CodeTM28

// Pages of PageControl1, in tab order.
constexpr int kMainPage = 0;
constexpr int kLoopPage = 1;
constexpr int kOutputPage = 2;
constexpr int kKeyPage = 3;
constexpr int kFirmwarePage = 4;
constexpr int kPageCount = 5;

// Items of the WorkMode list.
constexpr int kSettingsWorkMode = 0;
constexpr int kFirmwareWorkMode = 1;
constexpr int kDemoWorkMode = 2;

inline QString Name(const char* prefix, int index) {
    return QLatin1String(prefix) + QString::number(index);
}

inline QString Name(const char* prefix, int first, int second) {
    return Name(prefix, first) + QString::number(second);
}

// The title "ШС<loop>" above a loop binding of an output: Label65..72 (relay 1), Label83..90
// (relay 2), Label105..112 (open-collector output 1), OK2LoopLabel1..8 (open-collector output 2).
QString BindingTitleName(int output, int loop);

// The work-mode group of output 1 ... 4: ReleWorkMode1, ReleWorkMode2, OKWorkMode1, OKWorkMode2.
QString WorkModeGroupName(int output);

} // namespace velor::window
