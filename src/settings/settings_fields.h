#pragma once

#include "settings/settings_image.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// The settings image as a technician reads it: every field with a stable key, a name, its value
// as text and its unit, in the technician's language, grouped by the window's pages. Names and
// list entries are the window's own wording (its captions are looked up in the window's
// translation context "TMainForm"), so a report and the window say the same thing; the rest
// comes from the context "SettingsFields".
namespace velor::settings {

// The window's settings pages, in report order.
enum class SettingsPage { Main, Loops, Outputs, Keys };
constexpr std::array<SettingsPage, 4> kSettingsPages = {SettingsPage::Main, SettingsPage::Loops,
                                                        SettingsPage::Outputs, SettingsPage::Keys};

// The page's stable key: "main", "loops", "outputs", "keys".
QString PageKey(SettingsPage page);
// The page's tab caption: "Главная", "Настройки ШС", "Режимы реле и выходов ОК",
// "Идентификаторы ТМ".
QString PageTitle(SettingsPage page);

struct SettingsField {
    QString key; // stable, English: "loops[3].type", "outputs.relay1.work_mode"
    SettingsPage page = SettingsPage::Main;
    QString name;              // "ШС3: Тип ШС", "Реле №1: Режим работы"
    QString value;             // "охранный", "180 с", "ШС1–ШС3, ШС5"
    std::optional<qint64> raw; // as stored: the bit, byte, nibble, timing index or 48-bit code
    QString unit;              // of number ("с", "мс"); empty when the field has none
    std::optional<int> number; // the value in unit, for quantities: seconds, ms, the key count
    bool present = true;       // false: the slot exists, the image holds nothing there
};

// The fields the image holds, in report order (pages in window order, then as on the page).
// Loops and outputs are numbered as on the window, from 1. Identifier records 1 to the count
// (at most 28) give a key's code and rights; a record beyond the count that is not all zeros
// shows as "keys[r].unused_record" (its eight bytes in hexadecimal, no raw number); an output's
// reserved bits show only when set.
std::vector<SettingsField> DescribeSettings(const SettingsImage& image);

// Every slot of the field list, absent ones included (present false): any two images give the
// same keys in the same order, so their fields can be compared one for one. Every bit of the
// 257 bytes belongs to exactly one slot.
std::vector<SettingsField> SettingsFieldSlots(const SettingsImage& image);

// A key's code as its identifier edit on the window shows it: 12 hexadecimal digits, the record's
// first byte first.
QString KeyCodeText(const SettingsImage& image, int record);

// A set of loops as text: "ШС1–ШС3, ШС5" (three or more in a row as a range), "нет" when empty.
QString LoopSetText(uint8_t loops);

// The value shown for a field an image does not hold: "—".
QString AbsentValue();

// The name of output 1 ... 4 in keys: "relay1", "relay2", "ok1", "ok2".
QString OutputKey(int output);

// The key of an output's field ("outputs.relay1.work_mode") and of a key record's field
// ("keys[3].code"); an empty field gives the prefix the fields' keys share.
QString OutputFieldKey(int output, const char* field);
QString KeyFieldKey(int record, const char* field);

} // namespace velor::settings
