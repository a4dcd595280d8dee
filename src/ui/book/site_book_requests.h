#pragma once

#include "settings/settings_diff.h"
#include "settings/settings_image.h"

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class DialogService;
class SiteBook;

// What the window asks the technician around the site book. The requests go through the dialog
// seam (DialogService), so tests answer them like any box.

// One line of text: the technician's name, a new site's name.
struct TextRequest {
    QString caption;
    QString label;
    QString value; // the text offered
};

// A list of changed fields (the list the review before a write shows), e.g. what changed in the
// device since the last visit.
struct ChangeListRequest {
    QString caption;
    QString heading;
    QString beforeTitle; // the column of the values before
    QString afterTitle;  // the column of the values now
    std::vector<velor::settings::FieldChange> changes;
};

// What the site book window is opened for: browsing, attaching a device with a serial number to
// a site, or choosing the site of a device without one.
enum class SiteBookPurpose { Browse, Attach, Choose };

struct SiteBookRequest {
    SiteBook* book = nullptr;         // open; not owned, outlives the window
    DialogService* dialogs = nullptr; // the boxes the window asks through; not owned
    QString technician;               // the name edits are recorded under
    SiteBookPurpose purpose = SiteBookPurpose::Browse;
    QString serial; // Attach: the device's USB serial number
    // The differences of a visit's settings from the window's settings, as lines to read.
    std::function<QString(const SettingsImage&)> compare;
};

enum class SiteBookAction {
    None,      // closed without a choice
    LoadVisit, // load the visit's settings into the window
    SaveVisit, // save the visit's settings as a configuration file
    Attach,    // attach the device to the chosen site
    Choose,    // the chosen site is the one of the device without a serial number
};

struct SiteBookChoice {
    SiteBookAction action = SiteBookAction::None;
    QString siteUuid;                   // Attach, Choose
    std::optional<SettingsImage> image; // LoadVisit, SaveVisit: the settings the visit left
    QString visit;                      // LoadVisit, SaveVisit: the visit as the status names it
};
