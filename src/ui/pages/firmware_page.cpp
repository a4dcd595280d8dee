// The page "Смена ПО": the connected device and the firmware file chosen for it.

#include "ui/main_form.h"
#include "ui/pages/caption_table.h"
#include "ui/pages/maker_panel.h"
#include "ui/widgets/elided_label.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr char kFileLabel[] = "FileLabel";

// The value labels of the page, top to bottom; each has a caption label named <name>Caption
// that shows the row's text.
constexpr CaptionRow kFirmwareLabels[] = {
    {"TypeLabel", QT_TRANSLATE_NOOP("TMainForm", "Тип подключенного устройства:")},
    {"DevSWLabel", QT_TRANSLATE_NOOP("TMainForm", "Версия ПО устройства:")},
    {"FileLabel", QT_TRANSLATE_NOOP("TMainForm", "Имя файла обновления:")},
    {"FileTypeLabel", QT_TRANSLATE_NOOP("TMainForm", "Тип файла обновления:")},
    {"SizeLabel", QT_TRANSLATE_NOOP("TMainForm", "Размер файла обновления (байт):")},
    {"DateLabel", QT_TRANSLATE_NOOP("TMainForm", "Дата файла обновления:")},
    {"VersionLabel", QT_TRANSLATE_NOOP("TMainForm", "Версия ПО файла обновления:")},
};
} // namespace

QWidget* TMainForm::BuildFirmwarePage() {
    auto* page = Named(new QWidget, QStringLiteral("ChangeSoftTab"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const CaptionRow& label : kFirmwareLabels) {
        const QString valueName = QLatin1String(label.name);
        grid->addWidget(Named(new QLabel(page), valueName + QLatin1String("Caption")), row, 0);
        // The file's full path can be longer than the page is wide: shown with its middle left
        // out (the whole path in the tooltip), it leaves the maker panel where it is.
        QLabel* value =
            valueName == QLatin1String(kFileLabel) ? new ElidedLabel(page) : new QLabel(page);
        Named(value, valueName);
        if (valueName != QLatin1String(kFileLabel)) {
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        grid->addWidget(value, row++, 1);
    }
    grid->setColumnStretch(1, 1);
    // Only ever reset; the transfers move Gauge1 in the status bar.
    auto* progress = Named(new QProgressBar(page), QStringLiteral("pb1"));
    progress->setValue(0);
    progress->hide();
    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    column->addWidget(progress);
    column->addStretch(1);
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(column, 3);
    layout->addWidget(velor::BuildMakerPanel(page, 2), 2);
    return page;
}

void TMainForm::RetranslateFirmwarePage() {
    for (const CaptionRow& label : kFirmwareLabels) {
        Control<QLabel>(QLatin1String(label.name) + QLatin1String("Caption"))
            ->setText(tr(label.text));
    }
    velor::RetranslateMakerPanel(*Control<QWidget>(QStringLiteral("MakerPanel2")));
    ShowFirmwareFileTime(); // in the formats of the language now in use
}

void TMainForm::ClearFirmwareLabels() {
    for (const CaptionRow& label : kFirmwareLabels) {
        Control<QLabel>(QLatin1String(label.name))->clear();
    }
    Control<QLabel>(QLatin1String(kFileLabel))->setToolTip({});
    firmwareFileTime_ = {};
}

void TMainForm::ClearDeviceLabels() {
    ClearFirmwareLabels();
    Control<QLabel>(QStringLiteral("SettingsTypeLabel"))->clear();
    Control<QLabel>(QStringLiteral("SettingsVersionLabel"))->clear();
}
