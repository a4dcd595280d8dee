#pragma once

#include "settings/field_records.h"
#include "ui/control_families.h"

#include <QWidget>

#include <array>

class ComboList;
class PageControl;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLayout;
class RadioGroup;

// The page "Режимы реле и выходов ОК" (TabSheet3): the sub-pages PageControl2, one per output
// (Rele1, Rele2, OK1, OK2), each with the output's work mode (ReleWorkMode<n>, OKWorkMode<n>), its
// loop bindings shl<loop><output> with their titles, its notification boxes and its timing combos
// TimeRzmk<n>, TimeZmk<n>, TimePeriod<n> and InvRele<n>. It builds and owns them as typed members
// under their object names, with their captions.
//
// It holds what a work mode loads into an output and leaves editable, and runs the special mode's
// timing rule (SpecModeRele) as its own slot. The work-mode rule depends on the loop types and on
// whether the window is ready, so the window runs it (MakeWorkModeRele), told by workModeChosen.
class OutputPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kOutputs = velor::window::kOutputs;
    static constexpr int kLoops = velor::window::kLoops;

    explicit OutputPage(QWidget* parent = nullptr);

    // The sub-pages' captions, the captions and the entries in the language now in use.
    void Retranslate();

    // PageControl2, the output sub-pages.
    PageControl* SubPages() const { return subPages_; }
    // The output whose sub-page is shown, 1 ... 4.
    int ShownOutput() const;
    // The work-mode group of output 1 ... 4 and its mode: its item index, -1 for none.
    RadioGroup* WorkModeGroup(int output) const { return Output(output).workMode; }
    int WorkMode(int output) const;
    QCheckBox* Binding(int loop, int output) const { return Output(output).bindings.at(loop - 1); }

    // Sets every loop binding of the output enabled or disabled.
    void SetAllBindings(int output, bool enabled);
    // Whether a work mode loads a preset, and loads it: notification boxes and timing entries.
    static bool HasPreset(int mode);
    void ApplyPreset(int output, int mode);
    // Enables what the work mode leaves editable among the boxes and the timing combos.
    void ApplyEditable(int output, int mode);
    // The special mode's timing rule over the output's timing combos.
    void ApplySpecialTiming(int output);

signals:
    // The technician or the program chose another work mode in that group.
    void workModeChosen(RadioGroup* group);

private:
    static constexpr int kEventCount = velor::settings::fields::kEventCount;
    static constexpr int kTimingCount = velor::settings::fields::kTimingListCount;

    struct OutputControls {
        QWidget* subPage = nullptr;
        RadioGroup* workMode = nullptr;
        QGroupBox* bindingGroup = nullptr;
        std::array<QLabel*, kLoops> bindingTitles{};
        std::array<QCheckBox*, kLoops> bindings{};
        QGroupBox* eventGroup = nullptr;
        std::array<QCheckBox*, kEventCount> events{};
        std::array<QLabel*, kTimingCount> timingLabels{};
        std::array<ComboList*, kTimingCount> timing{}; // TimeRzmk, TimeZmk, TimePeriod, InvRele
    };

    QWidget* BuildSubPage(int output);
    QWidget* BuildBindingGroup(QWidget* page, int output);
    QWidget* BuildEventGroup(QWidget* page, int output);
    QLayout* BuildTimingCombos(QWidget* page, int output);
    void Wire();

    OutputControls& Output(int output) { return outputs_.at(output - 1); }
    const OutputControls& Output(int output) const { return outputs_.at(output - 1); }

    // The rules (their traced names): the special mode's timing, and the bindings' (none).
    void SpecModeRele(QObject* sender);
    void TypeShl(QObject* sender);

    PageControl* subPages_ = nullptr;
    std::array<OutputControls, kOutputs> outputs_{};
};
