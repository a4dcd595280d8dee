#include "link/bridge_discovery.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <system_error>

#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace velor::link {

namespace {

constexpr const char* kTtyPrefix = "ttyUSB";
constexpr const char* kClassTtyDir = "class/tty";
constexpr const char* kUsbSerialDir = "bus/usb-serial/devices";
constexpr const char* kVendorFile = "idVendor";
constexpr const char* kSerialFile = "serial";
constexpr std::size_t kNameBufferSize = 16384; // getpwuid_r and getgrgid_r records
constexpr int kMaxGroups = 1024;

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

// The first line of a sysfs attribute file without the blanks around it; empty when it cannot
// be read.
std::string ReadAttribute(const fs::path& file) {
    std::ifstream stream(file);
    std::string value;
    std::getline(stream, value);
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!value.empty() && blank(value.back())) {
        value.pop_back();
    }
    const auto first = std::find_if_not(value.begin(), value.end(), blank);
    return std::string(first, value.end());
}

// The USB device above start: the first folder walking up that has an idVendor.
std::optional<fs::path> UsbDeviceAbove(const fs::path& start) {
    std::error_code error;
    fs::path dir = fs::canonical(start, error);
    if (error) {
        return std::nullopt;
    }
    for (; dir.has_relative_path(); dir = dir.parent_path()) {
        if (!ReadAttribute(dir / kVendorFile).empty()) {
            return dir;
        }
    }
    return std::nullopt;
}

// Through class/tty first, through the usb-serial bus when that gives none.
std::optional<fs::path> UsbDeviceOf(const fs::path& root, const std::string& name) {
    if (std::optional<fs::path> device = UsbDeviceAbove(root / kClassTtyDir / name / "device")) {
        return device;
    }
    return UsbDeviceAbove(root / kUsbSerialDir / name);
}

bool IsFtdiTty(const fs::path& root, const std::string& name) {
    const std::optional<fs::path> device = UsbDeviceOf(root, name);
    return device && ReadAttribute(*device / kVendorFile) == kFtdiVendorId;
}

// ttyUSB2 before ttyUSB10: shorter names first, then by characters.
bool ByNumber(const std::string& a, const std::string& b) {
    return a.size() != b.size() ? a.size() < b.size() : a < b;
}

std::string GroupName(gid_t gid) {
    group entry{};
    group* found = nullptr;
    std::array<char, kNameBufferSize> buffer{};
    if (::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return {};
    }
    return found->gr_name;
}

// The groups this process holds: its effective group and the supplementary ones.
bool ProcessHoldsGroup(gid_t gid) {
    if (::getegid() == gid) {
        return true;
    }
    std::array<gid_t, kMaxGroups> groups{};
    const int count = ::getgroups(kMaxGroups, groups.data());
    return count > 0 &&
           std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
}

// The groups the account is listed in now (what the next login will hold).
bool AccountListsGroup(gid_t gid) {
    passwd entry{};
    passwd* found = nullptr;
    std::array<char, kNameBufferSize> buffer{};
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr) {
        return false;
    }
    std::array<gid_t, kMaxGroups> groups{};
    int count = kMaxGroups;
    if (::getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) {
        return false;
    }
    return std::find(groups.begin(), groups.begin() + count, gid) != groups.begin() + count;
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

NodeAccess CheckNodeAccess(const std::string& path) {
    NodeAccess access;
    access.canOpen = ::access(path.c_str(), R_OK | W_OK) == 0;
    access.error = access.canOpen ? 0 : errno;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        return access;
    }
    access.group = GroupName(status.st_gid);
    access.inGroup = ProcessHoldsGroup(status.st_gid);
    access.groupAtNextLogin = !access.inGroup && AccountListsGroup(status.st_gid);
    return access;
}

std::vector<FtdiBridge> ListFtdiBridges(const std::string& sysfsRoot, const std::string& devRoot) {
    const fs::path root(sysfsRoot);
    std::vector<FtdiBridge> bridges;
    for (const std::string& name : FindFtdiBridges(sysfsRoot)) {
        FtdiBridge bridge;
        bridge.name = name;
        bridge.devicePath = devRoot + "/" + name;
        if (const std::optional<fs::path> device = UsbDeviceOf(root, name)) {
            bridge.serial = ReadAttribute(*device / kSerialFile);
            bridge.usbLocation = device->filename().string();
        }
        bridge.access = CheckNodeAccess(bridge.devicePath);
        bridges.push_back(bridge);
    }
    return bridges;
}

} // namespace velor::link
