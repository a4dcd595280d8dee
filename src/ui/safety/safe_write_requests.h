#pragma once

#include "settings/settings_diff.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// What the window asks the technician around a settings write and in the settings history. The
// requests go through the dialog seam (DialogService), so tests answer them like any box.

// Before a settings write: what the device holds now and what the window is about to write.
struct WriteReviewRequest {
    QString device;            // the connected device, e.g. "580, версия ПО 3_1_7"
    QString deviceFingerprint; // short fingerprint of the device's settings
    QString windowFingerprint; // short fingerprint of the settings to be written
    std::vector<velor::settings::FieldChange> changes; // device value → new value; empty: none
    // The check's findings in the settings to be written (a key with no rights, two keys with
    // one code, ...), a line each; shown as warnings above the changes. Empty: none.
    QStringList warnings;
};

struct WriteReviewAnswer {
    bool write = false;         // "Записать"; false for "Отмена" or a closed dialog
    bool reviewNextTime = true; // the technician still wants the list before every write
};

// One snapshot of the settings history as the list shows it.
struct HistoryEntryView {
    QString when;        // date and time in the locale's short format
    QString device;      // device type and firmware version
    QString fingerprint; // short fingerprint of the snapshot
    QString path;        // the snapshot's .cfg file
};

struct HistoryRequest {
    std::vector<HistoryEntryView> entries; // newest first
    // The readable report of entry i, and its differences from the window's settings.
    std::function<QString(int)> report;
    std::function<QString(int)> compare;
    bool reviewBeforeWrite = true; // the state of the review-before-write choice
};

enum class HistoryAction {
    None,   // closed without a choice
    Load,   // load the entry into the window
    SaveAs, // save the entry as a configuration file elsewhere
};

struct HistoryChoice {
    HistoryAction action = HistoryAction::None;
    int entry = -1;                // index into HistoryRequest::entries
    bool reviewBeforeWrite = true; // as the technician left the choice
};
