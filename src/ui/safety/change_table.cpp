#include "ui/safety/change_table.h"

#include <QHeaderView>
#include <QTableWidget>

namespace {
constexpr int kColumns = 3; // field, before, after
} // namespace

QTableWidget* FieldChangeTable(const std::vector<velor::settings::FieldChange>& changes,
                               const QStringList& titles, QWidget* parent) {
    auto* table = new QTableWidget(static_cast<int>(changes.size()), kColumns, parent);
    table->setObjectName(QStringLiteral("ChangeTable"));
    table->setHorizontalHeaderLabels(titles);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    int row = 0;
    for (const velor::settings::FieldChange& change : changes) {
        table->setItem(row, 0, new QTableWidgetItem(change.name));
        table->setItem(row, 1, new QTableWidgetItem(change.before));
        table->setItem(row, 2, new QTableWidgetItem(change.after));
        ++row;
    }
    return table;
}
