#include "ui/book/change_list_dialog.h"

#include "ui/safety/change_table.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr QSize kDialogSize(640, 420);

QTableWidget* ChangeTable(const ChangeListRequest& request, QWidget* parent) {
    return FieldChangeTable(request.changes,
                            {ChangeListDialog::tr("Поле"), request.beforeTitle, request.afterTitle},
                            parent);
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
