#pragma once

#include <QWidget>

#include <array>

class DialogService;
class ExitEdit;
class QGroupBox;
class QLabel;
class RadioGroup;
class UpDown;

// The page "Главная" (TabSheet1): the general settings' radio groups (SoundModeRadioGroup,
// TypeTMRadioGroup, KBBlockRadioGroup, the hidden LineModeRadioGroup and SpeedLineRadioGroup), the
// sounder's notification duration TimeAlarmEdit with its spinner TimeAlarm, the hidden device
// number NumberPKPEdit/NumberPKP, the maker's panel MakerPanel1 and the connected device's labels.
// It builds and owns them as typed members under their object names, and runs the rules of the
// duration and the device number; the key page's visibility is the window's rule (ChangeTypeTM),
// told of each change of the TM output type or the key blocking by tmChoiceChanged.
class MainPage : public QWidget {
    Q_OBJECT
public:
    // dialogs shows the rules' error boxes; it outlives the page.
    explicit MainPage(DialogService& dialogs, QWidget* parent = nullptr);

    // The captions, the groups' entries and the maker's panel in the language now in use.
    void Retranslate();
    // Empties the connected device's type and version.
    void ClearDeviceLabels();
    // Puts panel below the connected device's type and version (the device's site).
    void AddBesideDeviceLabels(QWidget* panel);

    // The TM output type: TypeTMRadioGroup's item index.
    int TmOutputType() const;
    static constexpr int kRadioGroupCount = 5;

signals:
    // The TM output type or the key blocking was changed.
    void tmChoiceChanged();

private:
    void BuildControls();
    QGroupBox* BuildTimeAlarmGroup();
    QGroupBox* BuildDeviceNumberGroup();
    QWidget* BuildDeviceLabels();

    // The duration's value, checked against its range as it is typed.
    void TimeAlarmEditChange();
    // The duration's value, rounded to its step when the edit is left.
    void TimeAlarmExit();
    // The device number, checked against its range as it is typed.
    void NumberEditChange();
    // The numeric fields' exit rule, for the device number.
    void AnyOutExit(QObject* sender);

    DialogService& dialogs_;
    std::array<RadioGroup*, kRadioGroupCount> radioGroups_{};
    QGroupBox* timeAlarmGroup_ = nullptr;
    QLabel* timeAlarmUnit_ = nullptr;
    QLabel* timeAlarmRange_ = nullptr;
    ExitEdit* timeAlarmEdit_ = nullptr;
    UpDown* timeAlarm_ = nullptr;
    QGroupBox* numberGroup_ = nullptr;
    ExitEdit* numberEdit_ = nullptr;
    UpDown* number_ = nullptr;
    QWidget* makerPanel_ = nullptr;
    QLabel* typeCaption_ = nullptr;
    QLabel* typeLabel_ = nullptr;
    QLabel* versionCaption_ = nullptr;
    QLabel* versionLabel_ = nullptr;
    QWidget* deviceLabels_ = nullptr;
};
