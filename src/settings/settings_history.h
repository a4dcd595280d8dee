#pragma once

#include "link/velor_device.h"
#include "settings/settings_image.h"

#include <QDateTime>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// The settings history: before each settings write, the device's settings as they were are kept
// as a snapshot, so that any write can be undone by writing the snapshot back.
//
// A snapshot is "<yyyyMMdd-HHmmss>[-<n>]_<type>_<a_b_c>.cfg" (local time of the save, the device's
// type and version; "-2", "-3", ... when more than one lands in the same second), an ordinary
// settings file, with a one-line JSON record of the same base name beside it (".json"): device
// type, platform and version, the time with its offset from UTC, the fingerprint of the snapshot
// and the fingerprint of the settings written over it. Both files are written completely under a
// temporary name first; the .cfg then takes a name no other file has, in one step, so saves that
// run at once (two programs, two devices) each get a snapshot of their own, whole or absent.

// How a listed snapshot stands against its record.
enum class SnapshotState {
    Intact,     // the .cfg reads and its fingerprint is the recorded one
    Unrecorded, // the .cfg reads, but its record is missing, unreadable or names no fingerprint
    Altered,    // the .cfg reads, but has changed since it was saved
    Unreadable, // the .cfg is no settings file (any more)
};

// What the technician should know of a snapshot before writing it back, in parentheses; empty
// for an intact one.
QString SnapshotStateMark(SnapshotState state);

struct HistoryEntry {
    QString path;   // the snapshot's .cfg file
    QDateTime time; // the save's instant in local time: the record's, else the file name's
    uint16_t deviceType = 0;
    uint16_t platform = 0; // 0 when the record is missing
    QString version;       // "a_b_c"
    QString fingerprint;   // SHA-256 of the .cfg's image; empty when it does not read
    QString replacedBy;    // recorded fingerprint of the settings written over it; may be empty
    SnapshotState state = SnapshotState::Intact;
};

// The outcome of a save: the snapshot's path, or why there is none (nothing is left behind).
struct HistorySave {
    QString path;
    QString error;
    bool Saved() const { return error.isEmpty(); }
};

class SettingsHistory {
public:
    using Clock = std::function<QDateTime()>;

    // The newest kKeptSnapshots stay; an older one goes once it is kProtectedDays old.
    static constexpr int kKeptSnapshots = 200;
    static constexpr int kProtectedDays = 30;

    // folder: where the snapshots live (created by the first save). clock: the present, for
    // pruning; the system's local time when empty.
    explicit SettingsHistory(QString folder, Clock clock = {});

    const QString& Folder() const { return folder_; }

    // Saves previous (the device's settings as read before a write) as a snapshot named after
    // when and the device, records replacement's fingerprint beside it, then prunes. A failed
    // save removes what it had written and says why; the write must not start then.
    HistorySave Save(const SettingsImage& previous, const TVelorDevDesc& device,
                     const SettingsImage& replacement, const QDateTime& when);

    // Every snapshot in the folder, newest first. Files of other names are not snapshots.
    std::vector<HistoryEntry> List() const;

private:
    QString BaseName(const QDateTime& when, const TVelorDevDesc& device, int repeat) const;
    std::optional<QString> SaveUnderFreeName(const SettingsImage& previous,
                                             const TVelorDevDesc& device,
                                             const QDateTime& when) const;
    void Prune() const;

    QString folder_;
    Clock clock_;
};
