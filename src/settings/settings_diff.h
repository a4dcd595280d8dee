#pragma once

#include "settings/settings_fields.h"
#include "settings/settings_image.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What differs between two settings images, field by field, in the technician's language.
namespace velor::settings {

struct FieldChange {
    QString key;    // stable field key, e.g. "loops[3].type"
    QString name;   // the field's readable name
    QString before; // its value in the first image, formatted with its unit; "—" when absent
    QString after;  // its value in the second image
    SettingsPage page = SettingsPage::Main;
    std::optional<qint64> beforeRaw; // as stored; none when absent or without a raw number
    std::optional<qint64> afterRaw;
    QString unit;
};

// Every field whose value differs, in report order (pages, then fields); empty exactly when the
// images are equal. A field one image holds and the other does not (a key beyond the other's
// count) shows "—" on the side without it; two values that read the same but are stored
// differently (re-arm code 0 and 1 are both 5 s) carry their stored codes.
std::vector<FieldChange> DiffSettings(const SettingsImage& before, const SettingsImage& after);

// "name: before → after", the line a technician reads for a change.
QString ChangeLine(const FieldChange& change);
// A change line per change, in order.
QStringList ChangeLines(const std::vector<FieldChange>& changes);

} // namespace velor::settings
