#pragma once

#include <QString>

namespace velor {

// The system's reason for an error number (errno) in the technician's language: the reasons a
// file or the device's port meets (no such file, access refused, disk full, device gone, ...)
// are texts of this program, translated under the context "SystemError"; any other number gives
// the system's own text. Safe on any thread.
QString SystemErrorText(int error);

} // namespace velor
