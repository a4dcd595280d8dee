#pragma once

#include "ui/book/site_book_requests.h"

#include <QDialog>

// A list of changed fields with their values before and now, as the review before a write lists
// them; only read, closed with "Закрыть".
class ChangeListDialog : public QDialog {
    Q_OBJECT
public:
    ChangeListDialog(const ChangeListRequest& request, QWidget* parent);
};
