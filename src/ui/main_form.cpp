#include "ui/main_form.h"

#include "shell/message_catalogue.h"
#include "ui/dialogs.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kStatusTextWidth = 602;
constexpr int kGaugeWidth = 186;
} // namespace

TMainForm::TMainForm(TMainFormDeps deps, QWidget* parent)
    : QWidget(parent), deps_(std::move(deps)) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Программа настройки прибора 580 в автономном режиме"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addStretch(1);

    MainStatusBar = new QStatusBar(this);
    MainStatusBar->setObjectName(QStringLiteral("MainStatusBar"));
    MainStatusBar->setSizeGripEnabled(false);
    statusLabel_ = new QLabel(MainStatusBar);
    statusLabel_->setFixedWidth(kStatusTextWidth);
    // The status text has its own font, bold and red, not inherited from the window.
    QFont bold = statusLabel_->font();
    bold.setBold(true);
    statusLabel_->setFont(bold);
    statusLabel_->setStyleSheet(QStringLiteral("color: red;"));
    MainStatusBar->addWidget(statusLabel_);
    Gauge1 = new QProgressBar(MainStatusBar);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setFixedWidth(kGaugeWidth);
    Gauge1->setValue(0);
    MainStatusBar->addPermanentWidget(Gauge1);
    layout->addWidget(MainStatusBar);

    setFixedSize(kWindowWidth, kWindowHeight);
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
    SetStatusText(velor::MessageText(10025));
}

QString TMainForm::StatusText() const {
    return statusLabel_->text();
}

void TMainForm::SetStatusText(const QString& text) {
    statusLabel_->setText(text);
}

bool TMainForm::FormClose() {
    MessageBoxRequest r;
    r.text = velor::MessageText(10027);
    r.caption = velor::MessageText(10026);
    r.icon = BoxIcon::Question;
    r.buttons = BoxButtons::YesNo;
    r.defaultButton = BoxResult::No;
    r.owner = BoxOwner::Main;
    return deps_.dialogs->messageBox(r) == BoxResult::Yes;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (FormClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}
