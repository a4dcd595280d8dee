#pragma once

#include "settings/settings_image.h"

#include <memory>

class TMainForm;

// A write the window runs as a job of its session (SafeWriteJob, FirmwareWriteJob) with the
// window's side of it: the boxes, status texts, progress and button states of each state. The
// window starts it and returns to its events; a closing window cancels it.
class WindowWriteJob {
public:
    virtual ~WindowWriteJob() = default;
    virtual void Start() = 0;
    virtual void Cancel() = 0;
    virtual bool IsActive() const = 0;
};

// The settings write of image: read first, reviewed, snapshotted, written, read back.
std::unique_ptr<WindowWriteJob> MakeSettingsWriteJob(TMainForm& form, const SettingsImage& image);
// The firmware write of the window's firmware image: confirmed, uploaded, connected again.
std::unique_ptr<WindowWriteJob> MakeFirmwareWriteJob(TMainForm& form);
