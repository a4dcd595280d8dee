#include "ui/book/change_list_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kColumns = 3; // field, before, now
constexpr QSize kDialogSize(640, 420);

QTableWidget* ChangeTable(const ChangeListRequest& request, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(request.changes.size()), kColumns, parent);
    table->setObjectName(QStringLiteral("ChangeTable"));
    table->setHorizontalHeaderLabels(
        {ChangeListDialog::tr("Поле"), request.beforeTitle, request.afterTitle});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    int row = 0;
    for (const velor::settings::FieldChange& change : request.changes) {
        table->setItem(row, 0, new QTableWidgetItem(change.name));
        table->setItem(row, 1, new QTableWidgetItem(change.before));
        table->setItem(row, 2, new QTableWidgetItem(change.after));
        ++row;
    }
    return table;
}

} // namespace

ChangeListDialog::ChangeListDialog(const ChangeListRequest& request, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ChangeListDialog"));
    setWindowTitle(request.caption);
    auto* layout = new QVBoxLayout(this);
    auto* heading = new QLabel(request.heading, this);
    heading->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(heading);
    layout->addWidget(ChangeTable(request, this), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(kDialogSize);
}
