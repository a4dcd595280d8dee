#include "ui/report/report_state.h"

#include "link/device_version_text.h"

using velor::report::LeftBy;
using velor::report::VisitReportInput;

void VisitReportState::Connected(const DeviceIdentity& device) {
    // Another device (or the same one plugged in again) starts a new visit.
    if (!device_ || device_->usbSerial != device.usbSerial ||
        device_->portPath != device.portPath) {
        found_.reset();
        left_.reset();
        leftBy_ = LeftBy::NotWritten;
    }
    device_ = device;
}

// The read before a write and the write's read back are reads too; the write's announcement
// that follows them sets what was found and left.
void VisitReportState::SettingsRead(const SettingsImage& image) {
    found_ = image;
    left_ = image;
    leftBy_ = LeftBy::NotWritten;
}

void VisitReportState::SettingsWritten(const SettingsWriteRecord& record) {
    found_ = record.before;
    if (record.succeeded) {
        left_ = record.written;
        leftBy_ = record.verified ? LeftBy::WrittenVerified : LeftBy::WrittenNotVerified;
    } else {
        // What a failed write left in the device is unknown: the report shows the window's.
        left_.reset();
        leftBy_ = LeftBy::NotWritten;
    }
}

VisitReportInput VisitReportState::Input(const SettingsImage& window) const {
    VisitReportInput input;
    if (device_) {
        input.device.type = QString::number(device_->descriptor.Type);
        input.device.firmwareVersion = VersionText(device_->descriptor);
        input.device.usbSerial = device_->usbSerial;
    }
    input.asFound = found_;
    input.asLeft = window;
    if (left_ && *left_ == window) {
        input.leftBy = leftBy_;
    }
    return input;
}
