#pragma once

#include "ui/safety/safe_write_requests.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QTableWidget;

// "История": the snapshots saved before each settings write, newest first. A snapshot can be
// shown or compared with the window's settings here; loading it into the window or saving it
// elsewhere is the choice the dialog returns.
class HistoryDialog : public QDialog {
    Q_OBJECT
public:
    HistoryDialog(HistoryRequest request, QWidget* parent);

    HistoryChoice Choice() const { return choice_; }

private:
    int SelectedEntry() const;
    void ShowText(const std::function<QString(int)>& text);
    void Choose(HistoryAction action);

    HistoryRequest request_;
    HistoryChoice choice_;
    QTableWidget* list_ = nullptr;
    QPlainTextEdit* view_ = nullptr;
    QCheckBox* reviewBox_ = nullptr;
};
