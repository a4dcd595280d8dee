#pragma once

#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/control_families.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include <QLabel>
#include <QLineEdit>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <utility>

// The main window of a test with every box recorded, and the moves and looks the window tests
// share: the work-mode choice as a click on the list makes it, the command controls' and the
// tabs' states as '+' and '-', labels, identifier edits, a control's place in the window.
// Each test's fixture derives from it and adds its own start (shown, activated, connected).
struct WindowDriver {
    using Adjust = std::function<void(MainFormDeps&)>;

    // The window on the test seams (TestWindowDeps), changed by adjust before it is built (a
    // bridge driver, shell services); built only, neither created nor shown.
    explicit WindowDriver(const Adjust& adjust = {}) : form(Build(dialogs, adjust)) {}

    void PickWorkMode(int item) {
        form->Control<ComboList>("WorkMode")->SetItemIndex(item);
        form->WorkModeClick();
    }

    // The firmware work mode, as if connected to a device of this type and platform.
    void FirmwareModeFor(int type, int platform) {
        PickWorkMode(velor::window::kFirmwareWindowMode);
        form->Device().Descriptor.Type = static_cast<uint16_t>(type);
        form->Device().Descriptor.Platform = static_cast<uint16_t>(platform);
    }

    // The enabled state of each named control, in order.
    QString Enabled(const QStringList& names) const {
        QString flags;
        for (const QString& name : names) {
            flags += form->FindControl(name)->isEnabled() ? '+' : '-';
        }
        return flags;
    }
    // Which of the first count tabs (all when negative) are visible.
    QString Tabs(int count = -1) const {
        auto* pages = form->Control<PageControl>("PageControl1");
        QString flags;
        for (int page = 0; page < (count < 0 ? pages->count() : count); ++page) {
            flags += pages->TabVisible(page) ? '+' : '-';
        }
        return flags;
    }
    QString Label(const QString& name) const { return form->Control<QLabel>(name)->text(); }
    QLineEdit* Code(int key) const {
        return form->Control<QLineEdit>(QString("CodeTM%1").arg(key));
    }
    // A control's rectangle in the window's coordinates.
    QRect InWindow(const QWidget* control) const {
        return {control->mapTo(form.get(), QPoint(0, 0)), control->size()};
    }

    RecordingDialogs dialogs;
    std::unique_ptr<TMainForm> form;

private:
    static std::unique_ptr<TMainForm> Build(RecordingDialogs& dialogs, const Adjust& adjust) {
        MainFormDeps deps = TestWindowDeps(dialogs);
        if (adjust) {
            adjust(deps);
        }
        return std::make_unique<TMainForm>(std::move(deps));
    }
};
