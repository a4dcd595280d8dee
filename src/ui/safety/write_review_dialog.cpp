#include "ui/safety/write_review_dialog.h"

#include "ui/safety/change_table.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kDialogSize(640, 420);
constexpr int kIconSize = 32;

QTableWidget* ChangeTable(const WriteReviewRequest& request, QWidget* parent) {
    return FieldChangeTable(request.changes,
                            {WriteReviewDialog::tr("Поле"), WriteReviewDialog::tr("В приборе"),
                             WriteReviewDialog::tr("Будет записано")},
                            parent);
}

// The check's findings, in the warning colour with the warning icon: what the device would not
// keep as meant. The write stays the technician's choice.
QWidget* WarningList(const QStringList& warnings, QWidget* parent) {
    auto* box = new QFrame(parent);
    box->setObjectName(QStringLiteral("CheckWarnings"));
    box->setFrameShape(QFrame::StyledPanel);
    auto* row = new QHBoxLayout(box);
    auto* icon = new QLabel(box);
    icon->setPixmap(box->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize));
    row->addWidget(icon, 0, Qt::AlignTop);
    auto* text =
        new QLabel(WriteReviewDialog::tr("Предупреждения проверки (%1):").arg(warnings.size()) +
                       QLatin1Char('\n') + warnings.join(QLatin1Char('\n')),
                   box);
    text->setObjectName(QStringLiteral("CheckWarningText"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    text->setStyleSheet(QStringLiteral("color: #8a4b00;"));
    row->addWidget(text, 1);
    return box;
}

} // namespace

WriteReviewDialog::WriteReviewDialog(const WriteReviewRequest& request, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("WriteReviewDialog"));
    setWindowTitle(tr("Проверка перед записью"));
    auto* layout = new QVBoxLayout(this);
    auto* heading =
        new QLabel(tr("Прибор: %1\nОтпечаток настроек прибора: %2, новых: %3")
                       .arg(request.device, request.deviceFingerprint, request.windowFingerprint),
                   this);
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(heading);
    if (!request.warnings.isEmpty()) {
        layout->addWidget(WarningList(request.warnings, this));
    }
    if (request.changes.empty()) {
        auto* none = new QLabel(tr("Нет изменений"), this);
        none->setObjectName(QStringLiteral("NoChanges"));
        layout->addWidget(none, 1, Qt::AlignCenter);
    } else {
        layout->addWidget(
            new QLabel(tr("Изменений: %1").arg(static_cast<int>(request.changes.size())), this));
        layout->addWidget(ChangeTable(request, this), 1);
    }
    skipBox_ = new QCheckBox(tr("Больше не показывать этот список перед записью"), this);
    skipBox_->setObjectName(QStringLiteral("SkipReview"));
    layout->addWidget(skipBox_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* write = buttons->addButton(tr("&Записать"), QDialogButtonBox::AcceptRole);
    write->setObjectName(QStringLiteral("WriteButton"));
    write->setDefault(true);
    buttons->addButton(tr("&Отмена"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(kDialogSize);
}

bool WriteReviewDialog::ReviewNextTime() const {
    return !skipBox_->isChecked();
}
