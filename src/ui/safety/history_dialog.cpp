#include "ui/safety/history_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <utility>

namespace {

constexpr int kColumns = 3; // date, device, fingerprint
constexpr QSize kDialogSize(720, 560);

QPushButton* AddButton(QDialogButtonBox* box, const QString& text, const char* name) {
    QPushButton* button = box->addButton(text, QDialogButtonBox::ActionRole);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

HistoryDialog::HistoryDialog(HistoryRequest request, QWidget* parent)
    : QDialog(parent), request_(std::move(request)) {
    setObjectName(QStringLiteral("HistoryDialog"));
    setWindowTitle(tr("История записей"));
    choice_.reviewBeforeWrite = request_.reviewBeforeWrite;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(
        tr("Настройки, которые были в приборе перед каждой записью (новые сверху):"), this));

    list_ = new QTableWidget(static_cast<int>(request_.entries.size()), kColumns, this);
    list_->setObjectName(QStringLiteral("HistoryList"));
    list_->setHorizontalHeaderLabels({tr("Дата"), tr("Прибор"), tr("Отпечаток")});
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->verticalHeader()->hide();
    list_->horizontalHeader()->setStretchLastSection(true);
    int row = 0;
    for (const HistoryEntryView& entry : request_.entries) {
        list_->setItem(row, 0, new QTableWidgetItem(entry.when));
        list_->setItem(row, 1, new QTableWidgetItem(entry.device));
        list_->setItem(row, 2, new QTableWidgetItem(entry.fingerprint));
        list_->item(row, 0)->setToolTip(entry.path);
        ++row;
    }
    list_->resizeColumnsToContents();
    if (!request_.entries.empty()) {
        list_->selectRow(0);
    }
    layout->addWidget(list_, 1);

    view_ = new QPlainTextEdit(this);
    view_->setObjectName(QStringLiteral("HistoryView"));
    view_->setReadOnly(true);
    view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view_, 2);

    reviewBox_ = new QCheckBox(tr("Показывать изменения перед каждой записью"), this);
    reviewBox_->setObjectName(QStringLiteral("ReviewBeforeWrite"));
    reviewBox_->setChecked(request_.reviewBeforeWrite);
    connect(reviewBox_, &QCheckBox::toggled, this,
            [this](bool on) { choice_.reviewBeforeWrite = on; });
    layout->addWidget(reviewBox_);

    auto* actions = new QDialogButtonBox(this);
    QPushButton* show = AddButton(actions, tr("&Показать"), "ShowButton");
    QPushButton* compare = AddButton(actions, tr("&Сравнить с окном"), "CompareButton");
    QPushButton* load = AddButton(actions, tr("&Загрузить в окно"), "LoadButton");
    QPushButton* saveAs = AddButton(actions, tr("Сохранить &как..."), "SaveAsButton");
    actions->addButton(tr("З&акрыть"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CloseButton"));
    for (QPushButton* button : {show, compare, load, saveAs}) {
        button->setEnabled(!request_.entries.empty());
    }
    connect(show, &QPushButton::clicked, this, [this] { ShowText(request_.report); });
    connect(compare, &QPushButton::clicked, this, [this] { ShowText(request_.compare); });
    connect(load, &QPushButton::clicked, this, [this] { Choose(HistoryAction::Load); });
    connect(saveAs, &QPushButton::clicked, this, [this] { Choose(HistoryAction::SaveAs); });
    connect(actions, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QTableWidget::itemSelectionChanged, this, [this] { view_->clear(); });
    layout->addWidget(actions);
    resize(kDialogSize);
}

int HistoryDialog::SelectedEntry() const {
    const QList<QTableWidgetSelectionRange> ranges = list_->selectedRanges();
    return ranges.isEmpty() ? -1 : ranges.constFirst().topRow();
}

void HistoryDialog::ShowText(const std::function<QString(int)>& text) {
    const int entry = SelectedEntry();
    if (entry >= 0 && text) {
        view_->setPlainText(text(entry));
    }
}

void HistoryDialog::Choose(HistoryAction action) {
    const int entry = SelectedEntry();
    if (entry < 0) {
        return;
    }
    choice_.action = action;
    choice_.entry = entry;
    accept();
}
