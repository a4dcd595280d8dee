// The main page (MainPage, "Главная"): general settings, TM output type and key blocking, the
// device labels and the maker's links.

#include "ui/pages/main_page.h"

#include "settings/field_records.h"
#include "settings/window_captions.h"
#include "ui/control_index.h"
#include "ui/pages/maker_panel.h"
#include "ui/widgets/exit_edit.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/up_down.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

using velor::settings::FieldRecord;
using velor::window::WindowText;
namespace fields = velor::settings::fields;

namespace {
constexpr int kNumberEditWidth = 40;
constexpr int kDevicePkpMin = 1;
constexpr int kDevicePkpMax = 253;
constexpr int kMakerPanel = 1; // MakerPanel1

constexpr const char* kSecondsCaption = QT_TRANSLATE_NOOP("TMainForm", "(сек)");
constexpr const char* kDeviceNumberCaption = QT_TRANSLATE_NOOP("TMainForm", "Номер ПКП:");
constexpr const char* kDeviceTypeCaption = QT_TRANSLATE_NOOP("TMainForm", "Тип прибора:");
constexpr const char* kDeviceVersionCaption = QT_TRANSLATE_NOOP("TMainForm", "Версия ПО прибора:");

// The expansion line's speed: a choice of the window that the settings image does not hold.
constexpr const char* kSpeedLineCaption =
    QT_TRANSLATE_NOOP("TMainForm", "Скорость линии расширения:");
constexpr const char* kSpeedLineEntries[] = {QT_TRANSLATE_NOOP("TMainForm", "1200 бод"),
                                             QT_TRANSLATE_NOOP("TMainForm", "4800 бод")};

// The main page's radio groups, top to bottom: the field records' groups, then the speed.
struct RadioGroupDesign {
    const FieldRecord* field; // none: the expansion line's speed
    bool hidden;
};
const RadioGroupDesign kRadioGroups[MainPage::kRadioGroupCount] = {
    {&fields::kSounderMode, false},
    {&fields::kTmOutputType, false},
    {&fields::kButtonLock, false},
    {&fields::kLineMode, true},
    {nullptr, true},
};
constexpr int kTmOutputGroup = 1;
constexpr int kButtonLockGroup = 2;

QString GroupName(const RadioGroupDesign& design) {
    return design.field != nullptr ? QLatin1String(design.field->control)
                                   : QStringLiteral("SpeedLineRadioGroup");
}

int DesignItemIndex(const RadioGroupDesign& design) {
    return design.field != nullptr ? design.field->factory : 0;
}

QString GroupCaption(const RadioGroupDesign& design) {
    return design.field != nullptr ? design.field->caption.Text() : WindowText(kSpeedLineCaption);
}

QStringList RadioGroupItems(const RadioGroupDesign& design) {
    if (design.field != nullptr) {
        return design.field->entries.Texts();
    }
    QStringList items;
    for (const char* item : kSpeedLineEntries) {
        items << WindowText(item);
    }
    return items;
}

QLabel* AddLabel(QLayout* layout, QWidget* parent, const char* name) {
    auto* label = Named(new QLabel(parent), QLatin1String(name));
    layout->addWidget(label);
    return label;
}

// An edit with its spinner, the edit showing text.
UpDown* AddSpinEdit(QLayout* layout, QWidget* parent, ExitEdit* edit, const QString& upDownName,
                    int min, int max, int step, int design) {
    edit->setFixedWidth(kNumberEditWidth);
    edit->setText(QString::number(design));
    auto* upDown = Named(new UpDown(edit, min, max, step, parent), upDownName);
    layout->addWidget(edit);
    layout->addWidget(upDown);
    return upDown;
}

QLabel* AddGridLabel(QGridLayout* grid, QWidget* parent, const char* name, int row, int column) {
    auto* label = Named(new QLabel(parent), QLatin1String(name));
    grid->addWidget(label, row, column);
    return label;
}
} // namespace

MainPage::MainPage(DialogService& dialogs, QWidget* parent) : QWidget(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("TabSheet1"));
    BuildControls();
    for (const int group : {kTmOutputGroup, kButtonLockGroup}) {
        connect(radioGroups_[group], &RadioGroup::itemIndexChanged, this,
                &MainPage::tmChoiceChanged);
    }
    connect(timeAlarmEdit_, &QLineEdit::textChanged, this, &MainPage::TimeAlarmEditChange);
    connect(timeAlarmEdit_, &ExitEdit::exited, this, &MainPage::TimeAlarmExit);
    connect(numberEdit_, &QLineEdit::textChanged, this, &MainPage::NumberEditChange);
    connect(numberEdit_, &ExitEdit::exited, this, [this] { AnyOutExit(numberEdit_); });
}

void MainPage::BuildControls() {
    auto* columns = new QHBoxLayout(this);
    auto* left = new QVBoxLayout;
    for (int index = 0; index < kRadioGroupCount; ++index) {
        const RadioGroupDesign& design = kRadioGroups[index];
        auto* group = Named(new RadioGroup(this), GroupName(design));
        group->SetItems(RadioGroupItems(design));
        group->SetItemIndex(DesignItemIndex(design));
        group->setVisible(!design.hidden);
        radioGroups_[index] = group;
        left->addWidget(group);
        if (design.field == &fields::kSounderMode) {
            left->addWidget(BuildTimeAlarmGroup());
        }
    }
    left->addWidget(BuildDeviceNumberGroup());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    makerPanel_ = velor::BuildMakerPanel(this, kMakerPanel);
    right->addWidget(makerPanel_);
    right->addWidget(BuildDeviceLabels());
    right->addStretch(1);
    columns->addLayout(left, 3);
    columns->addLayout(right, 2);
}

QGroupBox* MainPage::BuildTimeAlarmGroup() {
    timeAlarmGroup_ = Named(new QGroupBox(this), QStringLiteral("TimeAlarmGroupBox"));
    auto* row = new QHBoxLayout(timeAlarmGroup_);
    timeAlarmUnit_ = AddLabel(row, timeAlarmGroup_, "TimeAlarmUnitLabel");
    const FieldRecord& duration = fields::kSounderDuration;
    const QString name = QLatin1String(duration.control);
    timeAlarmEdit_ = Named(new ExitEdit(timeAlarmGroup_), name + QLatin1String("Edit"));
    timeAlarm_ = AddSpinEdit(row, timeAlarmGroup_, timeAlarmEdit_, name, duration.range.min,
                             duration.range.max, duration.range.step, duration.factory);
    timeAlarmRange_ = AddLabel(row, timeAlarmGroup_, "TimeAlarmRangeLabel");
    row->addStretch(1);
    return timeAlarmGroup_;
}

// The device number: kept in the settings controls but never shown.
QGroupBox* MainPage::BuildDeviceNumberGroup() {
    numberGroup_ = Named(new QGroupBox(this), QStringLiteral("NumberPKPGroupBox"));
    auto* row = new QHBoxLayout(numberGroup_);
    numberEdit_ = Named(new ExitEdit(numberGroup_), QStringLiteral("NumberPKPEdit"));
    number_ = AddSpinEdit(row, numberGroup_, numberEdit_, QStringLiteral("NumberPKP"),
                          kDevicePkpMin, kDevicePkpMax, 1, kDevicePkpMin);
    numberGroup_->hide();
    return numberGroup_;
}

QWidget* MainPage::BuildDeviceLabels() {
    auto* box = Named(new QWidget(this), QStringLiteral("DeviceInfoPanel"));
    auto* grid = new QGridLayout(box);
    typeCaption_ = AddGridLabel(grid, box, "SettingsTypeCaption", 0, 0);
    typeLabel_ = AddGridLabel(grid, box, "SettingsTypeLabel", 0, 1);
    versionCaption_ = AddGridLabel(grid, box, "SettingsVersionCaption", 1, 0);
    versionLabel_ = AddGridLabel(grid, box, "SettingsVersionLabel", 1, 1);
    grid->setColumnStretch(1, 1);
    deviceLabels_ = box;
    return box;
}

void MainPage::AddBesideDeviceLabels(QWidget* panel) {
    auto* grid = static_cast<QGridLayout*>(deviceLabels_->layout());
    grid->addWidget(panel, grid->rowCount(), 0, 1, 2);
}

void MainPage::Retranslate() {
    for (int index = 0; index < kRadioGroupCount; ++index) {
        radioGroups_[index]->setTitle(GroupCaption(kRadioGroups[index]));
        radioGroups_[index]->SetItems(RadioGroupItems(kRadioGroups[index]));
    }
    timeAlarmGroup_->setTitle(fields::kSounderDuration.caption.Text());
    timeAlarmUnit_->setText(WindowText(kSecondsCaption));
    timeAlarmRange_->setText(WindowText(fields::kSounderDuration.rangeCaption));
    numberGroup_->setTitle(WindowText(kDeviceNumberCaption));
    typeCaption_->setText(WindowText(kDeviceTypeCaption));
    versionCaption_->setText(WindowText(kDeviceVersionCaption));
    velor::RetranslateMakerPanel(*makerPanel_);
}

void MainPage::ClearDeviceLabels() {
    typeLabel_->clear();
    versionLabel_->clear();
}

int MainPage::TmOutputType() const {
    return radioGroups_[kTmOutputGroup]->ItemIndex();
}
