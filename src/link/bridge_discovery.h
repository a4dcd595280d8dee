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

// Whether the running user may open a device node for reading and writing, and if not, what
// stands in the way.
struct NodeAccess {
    bool canOpen = false;          // access(2) allows reading and writing
    int error = 0;                 // the refusal's errno (ENOENT: there is no node); 0 if allowed
    std::string group;             // the node's group, e.g. "dialout"; empty when unknown
    bool inGroup = false;          // this process holds that group
    bool groupAtNextLogin = false; // the account is a member, but this session began before
};

NodeAccess CheckNodeAccess(const std::string& path);

// One attached FTDI bridge, for a technician who must tell several apart.
struct FtdiBridge {
    std::string name;        // "ttyUSB0"
    std::string devicePath;  // "<devRoot>/ttyUSB0"
    std::string serial;      // the bridge's USB serial number (sysfs "serial"); empty if none
    std::string usbLocation; // the USB device's sysfs name: bus and port path, e.g. "1-1.4"
    NodeAccess access;
};

// The bridges of FindFtdiBridges in the same order (the first is the one opened when no device
// is named), each with its USB identity and whether its node under devRoot can be opened.
std::vector<FtdiBridge> ListFtdiBridges(const std::string& sysfsRoot, const std::string& devRoot);

} // namespace velor::link
