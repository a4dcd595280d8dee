#include "link/bridge_roots.h"

#include "link/native_path.h"

#include <QByteArray>

namespace velor::link {

namespace {

QString RootFromEnvironment(const char* variable, const char* systemRoot) {
    const QByteArray named = qgetenv(variable);
    return velor::PathFromNative(named.isEmpty() ? QByteArray(systemRoot) : named);
}

} // namespace

QString SystemSysfsRoot() {
    return RootFromEnvironment("VELOR580_SYSFS_ROOT", "/sys");
}

QString SystemDevRoot() {
    return RootFromEnvironment("VELOR580_DEV_ROOT", "/dev");
}

} // namespace velor::link
