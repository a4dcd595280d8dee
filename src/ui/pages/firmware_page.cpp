// The page "Смена ПО": the connected device and the firmware file chosen for it.

#include "ui/main_form.h"
#include "ui/pages/maker_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
// The value labels of the page, top to bottom; each has a caption label named <name>Caption.
constexpr const char* kFirmwareLabels[] = {"TypeLabel",     "DevSWLabel", "FileLabel",
                                           "FileTypeLabel", "SizeLabel",  "DateLabel",
                                           "VersionLabel"};

QString FirmwareCaption(const QString& name) {
    if (name == QLatin1String("TypeLabel")) {
        return TMainForm::tr("Тип подключенного устройства:");
    }
    if (name == QLatin1String("DevSWLabel")) {
        return TMainForm::tr("Версия ПО устройства:");
    }
    if (name == QLatin1String("FileLabel")) {
        return TMainForm::tr("Имя файла обновления:");
    }
    if (name == QLatin1String("FileTypeLabel")) {
        return TMainForm::tr("Тип файла обновления:");
    }
    if (name == QLatin1String("SizeLabel")) {
        return TMainForm::tr("Размер файла обновления (байт):");
    }
    if (name == QLatin1String("DateLabel")) {
        return TMainForm::tr("Дата файла обновления:");
    }
    return TMainForm::tr("Версия ПО файла обновления:");
}
} // namespace

QWidget* TMainForm::BuildFirmwarePage() {
    auto* page = Named(new QWidget, QStringLiteral("ChangeSoftTab"));
    auto* grid = new QGridLayout;
    int row = 0;
    for (const char* name : kFirmwareLabels) {
        const QString valueName = QLatin1String(name);
        grid->addWidget(Named(new QLabel(page), valueName + QLatin1String("Caption")), row, 0);
        auto* value = Named(new QLabel(page), valueName);
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
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
    for (const char* name : kFirmwareLabels) {
        const QString valueName = QLatin1String(name);
        Control<QLabel>(valueName + QLatin1String("Caption"))->setText(FirmwareCaption(valueName));
    }
    velor::RetranslateMakerPanel(*Control<QWidget>(QStringLiteral("MakerPanel2")));
}

void TMainForm::ClearFirmwareLabels() {
    for (const char* name : kFirmwareLabels) {
        Control<QLabel>(QLatin1String(name))->clear();
    }
}

void TMainForm::ClearDeviceLabels() {
    ClearFirmwareLabels();
    Control<QLabel>(QStringLiteral("SettingsTypeLabel"))->clear();
    Control<QLabel>(QStringLiteral("SettingsVersionLabel"))->clear();
}
