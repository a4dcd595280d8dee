#include "settings/control_names.h"

namespace velor::window {

const std::array<const char*, kEventBoxCount> kEventBoxPrefixes = {
    "AlarmEvent",   "ErrorFire", "AttentionFire", "OnOffLine",
    "OnOffAllLine", "BoxDamage", "ErrorPower"};

const std::array<const char*, kTimingListCount> kTimingListPrefixes = {"TimeRzmk", "TimeZmk",
                                                                       "TimePeriod", "InvRele"};

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
