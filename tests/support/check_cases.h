#pragma once

#include "settings/cfg_format.h"
#include "settings/settings_image.h"

#include <QRandomGenerator>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// Images for the settings check, shared by its test without a window and the test that loads
// each image into the real window and saves it again. Each row names the fields the window
// changes on the way (normalised) and the fields the check reports though the window keeps them.
struct CheckCase {
    const char* name;
    SettingsImage image;
    QStringList normalised;
    QStringList kept;
};

inline SettingsImage CheckFactoryImage() {
    return LoadCfgFile(qEnvironmentVariable("VELOR_SOURCE_DIR") +
                       QStringLiteral("/data/580default.cfg"));
}

// The factory settings with count keys: record r holds code 0x10+r, 0, 0, 0, 0, r and may arm
// and disarm loop 1.
inline SettingsImage WithKeys(SettingsImage image, int count) {
    image[0] = static_cast<uint8_t>(count);
    for (int record = 1; record <= kMaxIdentifiers && record <= count; ++record) {
        image.SetIdentifierCode(record, {static_cast<uint8_t>(0x10 + record), 0, 0, 0, 0,
                                         static_cast<uint8_t>(record)});
        image.SetArmRights(record, 0x01);
        image.SetDisarmRights(record, 0x01);
    }
    return image;
}

inline SettingsImage Edited(SettingsImage image, const std::function<void(SettingsImage&)>& edit) {
    edit(image);
    return image;
}

// Relay 1 in the special mode with the given opening, closing and duration indices.
inline SettingsImage SpecialRelay(int opening, int closing, int duration) {
    return Edited(CheckFactoryImage(), [=](SettingsImage& i) {
        i.SetWorkMode(kRelay1, WorkModeNibble(kSpecialMode));
        i.SetOpeningTimeIndex(kRelay1, opening);
        i.SetClosingTimeIndex(kRelay1, closing);
        i.SetNotificationDurationIndex(kRelay1, duration);
    });
}

inline std::vector<CheckCase> CheckCases() {
    const SettingsImage factory = CheckFactoryImage();
    const auto set = [&factory](std::initializer_list<std::pair<int, int>> bytes) {
        SettingsImage image = factory;
        for (const auto& [offset, value] : bytes) {
            image[static_cast<std::size_t>(offset)] = static_cast<uint8_t>(value);
        }
        return image;
    };
    const QString rearm = QStringLiteral("loops.rearm_time_s");
    return {
        {"factory settings", factory, {}, {}},
        {"expansion line slave", set({{254, 0x20}}), {"general.line_mode"}, {}},
        {"re-arm code 1", set({{252, 1}}), {rearm}, {}},
        {"re-arm equal to the entry delay of loop 1", set({{248, 60}}), {rearm}, {}},
        {"re-arm below the entry delay of loop 2", set({{250, 37}, {252, 2}}), {rearm}, {}},
        {"re-arm code 1 below an entry delay", set({{248, 5}, {252, 1}}), {rearm}, {}},
        {"re-arm just above both delays", set({{248, 59}, {250, 3}}), {}, {}},
        {"fire loop with the options of a security loop",
         set({{241, 0x01}, {242, 0}, {243, 0}, {245, 1}, {246, 1}, {247, 1}, {248, 20}}),
         {},
         {}},
        {"24-hour loops with walk-through zone and delays",
         set({{243, 0x03}, {247, 0x03}, {248, 9}, {249, 8}, {250, 7}, {251, 6}, {254, 0x7E}}),
         {},
         {}},
        {"28 keys", WithKeys(factory, 28), {}, {}},
        {"count 29", WithKeys(factory, 29), {"keys.count"}, {}},
        {"count 255", WithKeys(factory, 255), {"keys.count"}, {}},
        {"bytes in a record beyond the count",
         Edited(WithKeys(factory, 1), [](SettingsImage& i) { i[12] = 5; }),
         {"keys[2].unused_record"},
         {}},
        {"no keys, junk in the last record",
         Edited(factory, [](SettingsImage& i) { i[224] = 1; }),
         {"keys[28].unused_record"},
         {}},
        {"reserved bits of OK 1", set({{235, 0x7F}}), {"outputs.ok1.reserved_bits"}, {}},
        {"work-mode nibble 8 on relay 2", set({{255, 0x81}}), {"outputs.relay2.work_mode"}, {}},
        {"work-mode nibble 15 on OK 1", set({{256, 0x5F}}), {"outputs.ok1.work_mode"}, {}},
        {"OK 1 in the sound mode", set({{256, 0x54}}), {}, {}},
        {"relay 1 without a mode", set({{255, 0x50}}), {}, {}},
        {"fire loops bound to relay 1 in the arm/disarm mode",
         set({{241, 0x05}, {255, 0x53}}),
         {"outputs.relay1.binding"},
         {}},
        {"fire loop bound to OK 2 in the executive mode",
         set({{241, 0x80}, {256, 0x62}}),
         {"outputs.ok2.binding"},
         {}},
        {"fire loop left off OK 2 in the executive mode",
         set({{241, 0x80}, {256, 0x62}, {237, 0x7F}}),
         {},
         {}},
        {"fire loop bound to relay 1 in the alarm mode", set({{241, 0x80}, {255, 0x55}}), {}, {}},
        {"special mode, constant opening with closing and duration",
         SpecialRelay(7, 3, 5),
         {"outputs.relay1.closing_time", "outputs.relay1.notification_duration"},
         {}},
        {"special mode, constant closing with opening and duration",
         SpecialRelay(2, 7, 4),
         {"outputs.relay1.opening_time", "outputs.relay1.notification_duration"},
         {}},
        {"special mode, a duration with one time unused",
         SpecialRelay(0, 3, 2),
         {"outputs.relay1.notification_duration"},
         {}},
        {"special mode, both times and a duration", SpecialRelay(2, 3, 15), {}, {}},
        {"special mode, constant opening alone", SpecialRelay(7, 0, 0), {}, {}},
        {"nibble 9 with a constant closing and a duration",
         Edited(SpecialRelay(1, 7, 3), [](SettingsImage& i) { i.SetWorkMode(kRelay1, 9); }),
         {"outputs.relay1.work_mode", "outputs.relay1.opening_time",
          "outputs.relay1.notification_duration"},
         {}},
        {"two keys with one code",
         Edited(WithKeys(factory, 3),
                [](SettingsImage& i) { i.SetIdentifierCode(3, i.IdentifierCodeAt(1)); }),
         {},
         {"keys[3].code"}},
        {"a key without rights",
         Edited(WithKeys(factory, 2),
                [](SettingsImage& i) {
                    i.SetArmRights(2, 0);
                    i.SetDisarmRights(2, 0);
                }),
         {},
         {"keys[2].code"}},
        {"a key that may only disarm",
         Edited(WithKeys(factory, 2), [](SettingsImage& i) { i.SetArmRights(2, 0); }),
         {},
         {}},
    };
}

// An image of random bytes with a key count up to 30, so that every rule gets its chance.
inline SettingsImage RandomCheckImage(quint32 seed) {
    QRandomGenerator random(seed);
    SettingsImage image;
    for (uint8_t& byte : image.bytes()) {
        byte = static_cast<uint8_t>(random.bounded(256));
    }
    image[0] = static_cast<uint8_t>(random.bounded(kMaxIdentifiers + 3));
    return image;
}
