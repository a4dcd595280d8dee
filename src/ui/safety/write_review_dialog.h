#pragma once

#include "ui/safety/safe_write_requests.h"

#include <QDialog>

class QCheckBox;

// The list of changes a settings write would make, with "Записать" and "Отмена", shown before
// the first block is sent.
class WriteReviewDialog : public QDialog {
    Q_OBJECT
public:
    WriteReviewDialog(const WriteReviewRequest& request, QWidget* parent);

    // Whether the technician wants the list again before the next write.
    bool ReviewNextTime() const;

private:
    QCheckBox* skipBox_ = nullptr;
};
