#pragma once

#include "settings/field_records.h"
#include "settings/settings_image.h"
#include "ui/control_families.h"

#include <QWidget>

#include <array>

class ComboList;
class DialogService;
class ExitEdit;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;
class UpDown;

// The page "Настройки ШС" (TabSheet2): per loop its two type buttons ts<loop> and ts<loop>1, the
// integration time it<loop> and the boxes ds, tt, av, ks and pz; for the entry loops 1 and 2 the
// entry and exit delays DelayInEdit<n>/DelayIn<n> and DelayOutEdit<n>/DelayOut<n>, the relay
// delay EnDelaySh<n> and the tactic Taktik<n>; the common re-arm time TimeAvEdit/TimeAv. It
// builds and owns them as typed members under their object names, with their captions.
//
// It runs the rules that need only its own controls: the 24-hour flag (KsModeShl), the delays
// and the re-arm time. The loop-type rule also reaches the outputs' bindings, so the window runs
// it (ChangeTypeShl), told by loopTypeChecked; the page applies its own part (ApplyLoopType).
class LoopPage : public QWidget {
    Q_OBJECT
public:
    // dialogs shows the rules' error boxes; it outlives the page.
    explicit LoopPage(DialogService& dialogs, QWidget* parent = nullptr);

    // The captions and the combos' entries in the language now in use.
    void Retranslate();

    // A loop is a fire loop while its upper type button ts<loop> is checked.
    bool IsFireLoop(int loop) const;
    // The loop's type button: ts<loop> (fire) or ts<loop>1 (security).
    QRadioButton* TypeButton(int loop, bool fire) const;
    // The loop type's effect on the loop's own controls: integration time and boxes.
    void ApplyLoopType(int loop);

signals:
    // A loop-type button became checked, by a click or by program.
    void loopTypeChecked(QRadioButton* button);

private:
    static constexpr int kLoops = velor::window::kLoops;
    static constexpr int kBoxCount = velor::settings::fields::kLoopBoxCount;
    // The boxes of a loop in the order of their records (fields::kLoopBoxes).
    enum Box : int { kDoubleTrigger, kSilentAlarm, kAutoReArm, kAllDay, kPassZone };
    // The titles above an entry loop's delay edits: "Вход", "(сек)", "Вых", "(сек)".
    static constexpr int kDelayTitleCount = 4;

    struct LoopControls {
        QLabel* title = nullptr; // SecLinLabel<loop>
        QRadioButton* fire = nullptr;
        QRadioButton* security = nullptr;
        ComboList* integration = nullptr;
        std::array<QCheckBox*, kBoxCount> boxes{}; // ds, tt, av, ks, pz
    };
    // A number field's edit and spinner.
    struct NumberField {
        ExitEdit* edit = nullptr;
        UpDown* spinner = nullptr;
    };
    struct EntryLoopControls {
        QLabel* title = nullptr; // DelayLoopLabel<loop>
        std::array<QLabel*, kDelayTitleCount> delayTitles{};
        NumberField entry;               // DelayInEdit<loop>, DelayIn<loop>
        NumberField exit;                // DelayOutEdit<loop>, DelayOut<loop>
        ComboList* relayDelay = nullptr; // EnDelaySh<loop>
        ComboList* tactic = nullptr;     // Taktik<loop>
    };

    void BuildControls();
    QWidget* BuildLoopTypePanel(int loop);
    void BuildLoopColumns(QGridLayout* grid);
    QWidget* BuildDelayPanel(int loop);
    QWidget* BuildEntryLoopCombo(const velor::settings::FieldRecord& field, int loop,
                                 ComboList*& combo);
    void BuildReArmTime(QGridLayout* grid);
    void BuildEntryLoops(QGridLayout* grid);
    NumberField AddSpinEdit(QGridLayout* grid, int row, int column, QWidget* parent,
                            const velor::settings::FieldRecord& field, const QString& editName,
                            const QString& upDownName);
    void Wire();

    QCheckBox* LoopBox(int loop, Box box) const { return Loop(loop).boxes.at(box); }
    LoopControls& Loop(int loop) { return loops_.at(loop - 1); }
    const LoopControls& Loop(int loop) const { return loops_.at(loop - 1); }
    EntryLoopControls& EntryLoop(int loop) { return entryLoops_.at(loop - 1); }

    // The rules (their traced names).
    void KsModeShl();
    void DelayInEdit1Change();
    void DelayInEdit2Change();
    void DelayOutEdit1Change();
    void DelayOutEdit2Change();
    void AnyOutExit(QObject* sender);
    void TimeAvEditChange();
    void TimeAvEditExit();

    void EntryDelayChange(int loop);
    void ExitDelayChange(int loop);
    void ApplyAllDayEntryLoop(int loop, bool allDay);

    DialogService& dialogs_;
    std::array<LoopControls, kLoops> loops_{};
    std::array<EntryLoopControls, kEntryLoops> entryLoops_{};
    NumberField reArm_; // TimeAvEdit, TimeAv
    QLabel* loopTypeLabel_ = nullptr;
    QLabel* loopFireLabel_ = nullptr;
    QLabel* loopSecurityLabel_ = nullptr;
    QLabel* integrationLabel_ = nullptr;
    std::array<QLabel*, kBoxCount> boxLabels_{};
    QLabel* delayLabel_ = nullptr;
    QLabel* delayRangeLabel_ = nullptr;
    QLabel* relayDelayLabel_ = nullptr;
    QLabel* tacticLabel_ = nullptr;
    QLabel* reArmTimeLabel_ = nullptr;
    QLabel* reArmUnitLabel_ = nullptr;
    QLabel* reArmRangeLabel_ = nullptr;
};
