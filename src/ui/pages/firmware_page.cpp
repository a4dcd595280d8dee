#include "ui/pages/firmware_page.h"

#include "settings/window_captions.h"
#include "ui/control_index.h"
#include "ui/pages/maker_panel.h"
#include "ui/widgets/elided_label.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr char kFileLabel[] = "FileLabel";
constexpr int kMakerPanel = 2; // MakerPanel2

// The value labels of the page, top to bottom, with the text of each row's caption.
struct RowDesign {
    const char* name;
    const char* caption;
};
constexpr RowDesign kRows[FirmwarePage::kRowCount] = {
    {"TypeLabel", QT_TRANSLATE_NOOP("TMainForm", "Тип подключенного устройства:")},
    {"DevSWLabel", QT_TRANSLATE_NOOP("TMainForm", "Версия ПО устройства:")},
    {"FileLabel", QT_TRANSLATE_NOOP("TMainForm", "Имя файла обновления:")},
    {"FileTypeLabel", QT_TRANSLATE_NOOP("TMainForm", "Тип файла обновления:")},
    {"SizeLabel", QT_TRANSLATE_NOOP("TMainForm", "Размер файла обновления (байт):")},
    {"DateLabel", QT_TRANSLATE_NOOP("TMainForm", "Дата файла обновления:")},
    {"VersionLabel", QT_TRANSLATE_NOOP("TMainForm", "Версия ПО файла обновления:")},
};
} // namespace

FirmwarePage::FirmwarePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ChangeSoftTab"));
    auto* grid = new QGridLayout;
    for (int row = 0; row < kRowCount; ++row) {
        const QString valueName = QLatin1String(kRows[row].name);
        rows_[row].caption = Named(new QLabel(this), valueName + QLatin1String("Caption"));
        grid->addWidget(rows_[row].caption, row, 0);
        // The file's full path can be longer than the page is wide: shown with its middle left
        // out (the whole path in the tooltip), it leaves the maker panel where it is.
        const bool file = valueName == QLatin1String(kFileLabel);
        QLabel* value = file ? new ElidedLabel(this) : new QLabel(this);
        rows_[row].value = Named(value, valueName);
        if (file) {
            fileLabel_ = value;
        } else {
            value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        }
        grid->addWidget(value, row, 1);
    }
    grid->setColumnStretch(1, 1);
    // Only ever reset; the transfers move Gauge1 in the status bar.
    auto* progress = Named(new QProgressBar(this), QStringLiteral("pb1"));
    progress->setValue(0);
    progress->hide();
    auto* column = new QVBoxLayout;
    column->addLayout(grid);
    column->addWidget(progress);
    column->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(column, 3);
    makerPanel_ = velor::BuildMakerPanel(this, kMakerPanel);
    layout->addWidget(makerPanel_, 2);
}

void FirmwarePage::Retranslate() {
    for (int row = 0; row < kRowCount; ++row) {
        rows_[row].caption->setText(velor::window::WindowText(kRows[row].caption));
    }
    velor::RetranslateMakerPanel(*makerPanel_);
}

void FirmwarePage::Clear() {
    for (const Row& row : rows_) {
        row.value->clear();
    }
    fileLabel_->setToolTip({});
}
