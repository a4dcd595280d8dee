#include "ui/pages/one_key_rows.h"

#include <QCheckBox>

using velor::window::kKeys;
using velor::window::kLoops;

// A disarm box set here reports its own toggle, which marks its row again; the mark is cleared
// after the row, as the row is up to date then.
void OneKeyRows::Apply() {
    for (int key = 1; key <= kKeys; ++key) {
        if (!changed_.at(key - 1)) {
            continue;
        }
        const Boxes& row = Row(key);
        const bool oneKey = row.oneKey->isChecked();
        for (int loop = 0; loop < kLoops; ++loop) {
            QCheckBox* disarm = row.disarm.at(loop);
            if (oneKey) {
                disarm->setChecked(row.arm.at(loop)->isChecked());
            }
            disarm->setEnabled(!oneKey);
        }
        changed_.at(key - 1) = false;
    }
}
