// Adaptation of the window to the type of the device found at connection.

#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/pages/output_page.h"
#include "ui/widgets/page_control.h"

using velor::window::BindingTitleName;
using velor::window::kKeys;
using velor::window::kLoops;
using velor::window::kOutputs;
using velor::window::Name;

namespace {
// Device-type codes the window serves with all eight loops, four outputs and 28 keys; the
// operation thread reports 10 for a model 580.
constexpr int kFullDeviceTypeCodes[] = {8, 10};
// Outputs whose loop bindings and binding titles the adaptation offers: relays 1, 2 and
// open-collector output 1.
constexpr int kAdaptedOutputs = 3;

bool IsFullDeviceType(int code) {
    for (const int full : kFullDeviceTypeCodes) {
        if (code == full) {
            return true;
        }
    }
    return false;
}
} // namespace

// Only shows and enables; what a page rule disabled among the settings controls stays so.
void TMainForm::AdaptToDeviceType(int deviceTypeCode) {
    if (!IsFullDeviceType(deviceTypeCode)) {
        return;
    }
    const auto show = [this](const QString& name) { FindControl(name)->setVisible(true); };
    const auto enable = [this](const QString& name) { FindControl(name)->setEnabled(true); };
    for (int loop = 1; loop <= kLoops; ++loop) {
        enable(Name("SecLinLabel", loop));
    }
    for (const char* prefix : {"it", "av", "tt", "ds", "ks"}) {
        for (int loop = 1; loop <= kLoops; ++loop) {
            show(Name(prefix, loop));
        }
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        show(Name("ts", loop));
        show(Name("ts", loop, 1));
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        show(Name("pz", loop));
    }
    for (const char* name :
         {"DelayOutEdit2", "DelayInEdit2", "DelayOut2", "DelayIn2", "EnDelaySh2", "Taktik2",
          "Panel17", "Panel15", "Panel13", "Label119", "Label120", "Label121", "Label122"}) {
        show(QLatin1String(name));
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        enable(Name("shvzlb", loop));
    }
    for (int loop = 1; loop <= kLoops; ++loop) {
        enable(Name("shsnlb", loop));
    }
    for (int key = 1; key <= kKeys; ++key) {
        for (int loop = 1; loop <= kLoops; ++loop) {
            show(Name("shvz", key, loop));
            show(Name("shsn", key, loop));
        }
    }
    for (int output = 1; output <= kOutputs; ++output) {
        outputPage_->SubPages()->SetTabVisible(output - 1, true);
    }
    for (int output = 1; output <= kAdaptedOutputs; ++output) {
        for (int loop = 1; loop <= kLoops; ++loop) {
            show(Name("shl", loop, output));
        }
    }
    for (int output = 1; output <= kAdaptedOutputs; ++output) {
        for (int loop = 1; loop <= kLoops; ++loop) {
            enable(BindingTitleName(output, loop));
        }
    }
}
