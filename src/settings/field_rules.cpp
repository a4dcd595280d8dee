#include "settings/field_rules.h"

#include "settings/settings_image.h"

namespace velor::settings {
namespace {
constexpr int64_t kRearmLeadSteps = 2;
} // namespace

bool ForSecurityLoopsOnly(int workMode) {
    return workMode == kArmDisarmMode || workMode == kExecutiveMode;
}

int64_t RearmTimeAbove(int64_t longestEntryDelay, int64_t step) {
    return longestEntryDelay - longestEntryDelay % step + kRearmLeadSteps * step;
}

int64_t RoundUpToStep(int64_t value, int64_t step) {
    return value % step == 0 ? value : value - value % step + step;
}

} // namespace velor::settings
