#pragma once

#include <QCoreApplication>

// The texts of the readable settings model (field names, values, units, check findings): Russian
// in the code, like the window's; other languages come from the language library under the
// context "SettingsFields".
class SettingsFields {
    Q_DECLARE_TR_FUNCTIONS(SettingsFields)
};
