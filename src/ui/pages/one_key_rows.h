#pragma once

#include "ui/control_families.h"

#include <array>

class QCheckBox;

// The boxes of the 28 key rows that the one-key rule works on, and which rows have changed since
// the rule last brought them up to date.
//
// The rule runs on every toggle of a one-key box or an arm box, and a row's outcome depends on
// that row's boxes alone. A row none of whose one-key, arm and disarm boxes has changed since the
// rule last ran over it already shows what the rule would set, so the rule passes it over. A
// decode that toggles every arm box thus runs the rule over one or two rows each time instead
// of all 28, with the same boxes and states at every step.
class OneKeyRows {
public:
    // The boxes of a key's row, as the key page builds them; the row counts as changed.
    void SetOneKey(int key, QCheckBox* box) { Row(key).oneKey = box; }
    void SetArm(int key, int loop, QCheckBox* box) { Row(key).arm.at(loop - 1) = box; }
    void SetDisarm(int key, int loop, QCheckBox* box) { Row(key).disarm.at(loop - 1) = box; }

    QCheckBox* OneKey(int key) const { return Row(key).oneKey; }
    QCheckBox* Arm(int key, int loop) const { return Row(key).arm.at(loop - 1); }
    QCheckBox* Disarm(int key, int loop) const { return Row(key).disarm.at(loop - 1); }

    // A box of the row has been toggled.
    void Changed(int key) { changed_.at(key - 1) = true; }
    // The one-key rule over the changed rows: in one-key mode the row's disarm boxes take the
    // states of its arm boxes, and they can be changed by hand only outside that mode.
    void Apply();

private:
    struct Boxes {
        QCheckBox* oneKey = nullptr;
        std::array<QCheckBox*, velor::window::kLoops> arm{};
        std::array<QCheckBox*, velor::window::kLoops> disarm{};
    };
    const Boxes& Row(int key) const { return rows_.at(key - 1); }
    Boxes& Row(int key) { return rows_.at(key - 1); }

    std::array<Boxes, velor::window::kKeys> rows_{};
    std::array<bool, velor::window::kKeys> changed_ = MarkedAll();

    static std::array<bool, velor::window::kKeys> MarkedAll() {
        std::array<bool, velor::window::kKeys> all{};
        all.fill(true);
        return all;
    }
};
