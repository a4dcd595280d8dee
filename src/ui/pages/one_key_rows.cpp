#include "ui/pages/one_key_rows.h"

#include "ui/main_form.h"

#include <QCheckBox>

using velor::window::kKeys;
using velor::window::kLoops;
using velor::window::Name;

void OneKeyRows::Resolve(const TMainForm& form) {
    for (int key = 1; key <= kKeys; ++key) {
        Boxes& row = rows_.at(key - 1);
        row.oneKey = form.Control<QCheckBox>(Name("onekeymode", key));
        for (int loop = 1; loop <= kLoops; ++loop) {
            row.arm.at(loop - 1) = form.Control<QCheckBox>(Name("shvz", key, loop));
            row.disarm.at(loop - 1) = form.Control<QCheckBox>(Name("shsn", key, loop));
        }
    }
    changed_.fill(true);
}

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
