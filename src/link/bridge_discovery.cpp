#include "link/bridge_discovery.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace velor::link {

namespace {

constexpr const char* kTtyPrefix = "ttyUSB";
constexpr const char* kClassTtyDir = "class/tty";
constexpr const char* kUsbSerialDir = "bus/usb-serial/devices";
constexpr const char* kVendorFile = "idVendor";

// Adds the names starting with ttyUSB found in one sysfs listing.
void CollectTtys(const fs::path& dir, std::set<std::string>& names) {
    std::error_code error;
    for (fs::directory_iterator it(dir, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(kTtyPrefix, 0) == 0) {
            names.insert(name);
        }
    }
}

// The idVendor of the first USB device above start, or empty when there is none.
std::string VendorAbove(const fs::path& start) {
    std::error_code error;
    fs::path dir = fs::canonical(start, error);
    if (error) {
        return {};
    }
    for (; dir.has_relative_path(); dir = dir.parent_path()) {
        std::ifstream vendor(dir / kVendorFile);
        std::string id;
        if (vendor >> id) {
            return id;
        }
    }
    return {};
}

bool IsFtdiTty(const fs::path& root, const std::string& name) {
    const std::string vendor = VendorAbove(root / kClassTtyDir / name / "device");
    return (vendor.empty() ? VendorAbove(root / kUsbSerialDir / name) : vendor) == kFtdiVendorId;
}

// ttyUSB2 before ttyUSB10: shorter names first, then by characters.
bool ByNumber(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

} // namespace

std::vector<std::string> FindFtdiBridges(const std::string& sysfsRoot) {
    const fs::path root(sysfsRoot);
    std::set<std::string> names;
    CollectTtys(root / kClassTtyDir, names);
    CollectTtys(root / kUsbSerialDir, names);
    std::vector<std::string> bridges;
    std::copy_if(names.begin(), names.end(), std::back_inserter(bridges),
                 [&root](const std::string& name) { return IsFtdiTty(root, name); });
    std::sort(bridges.begin(), bridges.end(), ByNumber);
    return bridges;
}

} // namespace velor::link
