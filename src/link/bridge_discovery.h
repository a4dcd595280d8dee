#pragma once

#include <string>
#include <vector>

namespace velor::link {

// USB vendor id of the FTDI bridges, as sysfs spells it in idVendor.
constexpr const char* kFtdiVendorId = "0403";

// Names of the tty devices (e.g. "ttyUSB0") that belong to an FTDI USB-serial bridge, as listed
// under <sysfsRoot>/class/tty and <sysfsRoot>/bus/usb-serial/devices; a device belongs to a
// bridge when the first idVendor found walking up from it reads 0403. Ordered by name, numbers
// compared by value (ttyUSB2 before ttyUSB10).
std::vector<std::string> FindFtdiBridges(const std::string& sysfsRoot);

} // namespace velor::link
