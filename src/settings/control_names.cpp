#include "settings/control_names.h"

namespace velor::window {

QString Name(const char* prefix, int index) {
    return QLatin1String(prefix) + QString::number(index);
}

QString Name(const char* prefix, int first, int second) {
    return Name(prefix, first) + QString::number(second);
}

QString WorkModeGroupName(int output) {
    return output <= kRelays ? Name("ReleWorkMode", output) : Name("OKWorkMode", output - kRelays);
}

} // namespace velor::window
