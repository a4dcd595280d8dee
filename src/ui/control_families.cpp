#include "ui/control_families.h"

namespace velor::window {

namespace {
constexpr int kBindingTitleFirst[] = {65, 83, 105};
constexpr int kNumberedBindingTitles = 3;
} // namespace

QString BindingTitleName(int output, int loop) {
    return output <= kNumberedBindingTitles
               ? Name("Label", kBindingTitleFirst[output - 1] + loop - 1)
               : Name("OK2LoopLabel", loop);
}

} // namespace velor::window
