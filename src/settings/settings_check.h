#pragma once

#include "settings/settings_image.h"

#include <QString>

#include <vector>

// What the window would not keep of a settings image. Loading an image (a file, a device read,
// the factory settings) runs the pages' rules, and the next save or write stores what they left:
// that image is computed here without a window, and every field where it differs is a finding.
// Kept findings name what the window stores unchanged but no technician means: two keys with one
// code, a key with no rights at all.
namespace velor::settings {

enum class FindingKind {
    Normalised, // the window changes the value when it loads the image
    Kept,       // the window keeps the value, but it does nothing or contradicts another
};

struct CheckFinding {
    FindingKind kind = FindingKind::Normalised;
    QString key;    // the field's stable key, "outputs.relay1.binding"
    QString name;   // its readable name
    QString value;  // the value in the image
    QString kept;   // what the window stores (the value itself for a kept finding)
    QString reason; // why, in the technician's language
};

struct SettingsCheck {
    std::vector<CheckFinding> findings; // in report order
    SettingsImage kept;                 // the image a save right after loading would store
};

// The image the window ends with after it has decoded the image and encoded it again:
// - at most 28 identifier records, the records beyond the count zero;
// - reserved bits 0-5 of output record byte 2 zero;
// - a work-mode nibble 8..15 read as 7 "Специальный";
// - no fire loop bound to an output in the modes 3 "Взят/снят" and 6 "Исполнительный";
// - the special mode's timing: a constant opening time rules out the closing time and the
//   duration, a constant closing time the opening time and the duration, and a duration needs
//   both times;
// - a re-arm time longer than both entry delays (m - m mod 5 + 10 s for the longer delay m
//   otherwise), re-arm code 1 written as 0;
// - byte 254 bit 6 (expansion-line master) set.
SettingsImage WindowKeptImage(const SettingsImage& image);

// The findings of image: one per field WindowKeptImage changes, then the kept findings, all in
// report order.
SettingsCheck CheckSettings(const SettingsImage& image);

// "name: value → kept (reason)" or, for a kept finding, "name: value (reason)".
QString FindingLine(const CheckFinding& finding);

} // namespace velor::settings
