#pragma once

#include "ui/main_form_deps.h"

#include <QWidget>

class QLabel;
class QProgressBar;
class QStatusBar;

// The configurator's one working window.
class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Throws std::runtime_error when construction cannot complete (for instance when the
    // factory-defaults file cannot be read); the caller reports it and ends the program.
    explicit TMainForm(TMainFormDeps deps, QWidget* parent = nullptr);
    ~TMainForm() override;

    void FormCreate();

    QString StatusText() const;
    void SetStatusText(const QString& text);

    TDialogs& Dialogs() const { return *deps_.dialogs; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    bool FormClose();

    TMainFormDeps deps_;
    QStatusBar* MainStatusBar = nullptr;
    QLabel* statusLabel_ = nullptr;
    QProgressBar* Gauge1 = nullptr;
};
