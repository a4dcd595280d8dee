#include "ui/main_form.h"

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "link/no_bridge_driver.h"
#include "settings/window_captions.h"
#include "ui/book/device_recognition.h"
#include "ui/book/site_panel.h"
#include "ui/book/window_book.h"
#include "ui/commands/window_write_job.h"
#include "ui/control_families.h"
#include "ui/dialogs.h"
#include "ui/help_window.h"
#include "ui/pages/command_column.h"
#include "ui/pages/firmware_page.h"
#include "ui/pages/key_page.h"
#include "ui/pages/loop_page.h"
#include "ui/pages/main_page.h"
#include "ui/pages/output_page.h"
#include "ui/screen_fit.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"
#include "ui/widgets/status_line.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

#include <utility>

namespace {
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kPagesWidth = 680;
constexpr int kPagesHeight = 545;
constexpr int kStatusTextWidth = 602;
constexpr int kGaugeWidth = 186;
// Between the pages and the 118-pixel command column: the two fill the design width.
constexpr int kColumnGap = 2;
// The smallest window a technician can make: the command column and a part of a page.
constexpr int kSmallestWindowWidth = 400;
constexpr int kSmallestWindowHeight = 300;

std::unique_ptr<FtdiDriver> MakeDriver(const MainFormDeps& deps) {
    std::unique_ptr<FtdiDriver> driver = deps.makeDriver ? deps.makeDriver() : nullptr;
    return driver ? std::move(driver) : std::make_unique<NoBridgeDriver>();
}

// The settings pages lead the tab order, in the order of their captions.
static_assert(velor::window::kKeyPage + 1 == velor::window::kSettingsPageCount);

Sleeper MakeSleeper(const MainFormDeps& deps) {
    return deps.sleeper ? Sleeper(deps.sleeper) : DefaultSleeper();
}
} // namespace

TMainForm::TMainForm(MainFormDeps deps, QWidget* parent)
    : QWidget(parent), deps_(std::move(deps)), session_(WindowSessionSeams()) {
    setObjectName(QStringLiteral("MainForm"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    BuildLayout();
    controls_.Build(*this);
    RetranslateUi();
    SetButtonState(ButtonState::NoWorkMode);
    WireMainPage();
    WireLoopPage();
    WireOutputPage();
    WireKeyPage();
    WireCommandColumn();
    WirePortList();
    WireShellCommands();
    WireShortcutKeys();
    WireUndo();
    WireRecentFiles();
    setAcceptDrops(true);
    WireVisitReport();
    WireSiteBook();
    connect(&session_, &DeviceSession::operationStarted, this, [this](Operation operation) {
        deviceLostShown_ = false;
        emit operationStarted(operation);
    });
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::applicationStateChanged, this,
                [this](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive) {
                        ApplicationEvents1Activate();
                    }
                });
    }

    ApplyOutputPresets();
    LoadFactoryDefaults(); // the window's first settings, kept: nothing to save of them
    PageControl1->SetActivePageIndex(velor::window::kMainPage);
    CreateFirmwareFolder();
    FirstActivation = true;
}

// The destructor waits for a running operation (operation_launch.cpp).

// The window's port reports and steps; the operations run on the session's worker thread.
SessionSeams TMainForm::WindowSessionSeams() {
    SessionSeams seams;
    seams.driver = MakeDriver(deps_);
    seams.onIoError = [this] { ShowPortIoError(); };
    seams.onDeviceLost = [this](const QString& device, const QString& reason) {
        ShowDeviceLost(device, reason);
    };
    seams.sleeper = MakeSleeper(deps_);
    seams.host = this;
    seams.threading = SessionThreading::Worker;
    return seams;
}

QWidget* TMainForm::FindControl(const QString& name) const {
    QWidget* control = controls_.Find(name);
    if (control == nullptr) {
        throw std::logic_error("the window has no control " + name.toStdString());
    }
    return control;
}

// The pages and the command column sit in a scroll area that shows scroll bars only when the
// window is smaller than its design size; the status bar stays in sight below it.
void TMainForm::BuildLayout() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("WindowScrollBox"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus); // not a stop of its own in the Tab order
    scroll->setWidgetResizable(true);
    auto* panel = new QWidget;
    panel->setObjectName(QStringLiteral("WindowPanel"));

    PageControl1 = new PageControl(panel);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setFixedSize(kPagesWidth, kPagesHeight);
    mainPage_ = new MainPage(Dialogs());
    sitePanel_ = new SitePanel;
    mainPage_->AddBesideDeviceLabels(sitePanel_);
    PageControl1->AddPage(mainPage_, {});
    loopPage_ = new LoopPage(Dialogs());
    PageControl1->AddPage(loopPage_, {});
    outputPage_ = new OutputPage;
    PageControl1->AddPage(outputPage_, {});
    keyPage_ = new KeyPage(Dialogs());
    PageControl1->AddPage(keyPage_, {});
    firmwarePage_ = new FirmwarePage;
    PageControl1->AddPage(firmwarePage_, {});

    auto* top = new QHBoxLayout(panel);
    top->setContentsMargins(0, 0, 0, 0);
    top->setSpacing(kColumnGap);
    top->addWidget(PageControl1, 0, Qt::AlignTop | Qt::AlignLeft);
    column_ = new CommandColumn(panel);
    top->addWidget(column_, 1);
    scroll->setWidget(panel);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(scroll, 1);
    BuildStatusBar();
    layout->addWidget(MainStatusBar);

    // Line buffers of the configuration-file commands; never shown.
    for (const char* name : {"ListBox1", "ListBox2"}) {
        auto* list = new QListWidget(this);
        list->setObjectName(QLatin1String(name));
        list->hide();
    }
    resize(kWindowWidth, kWindowHeight);
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    setMaximumSize(kWindowWidth + bar, kWindowHeight + bar);
}

// The design size where the screen has room for it; on a smaller screen (a laptop at 125 %, a
// screen at 200 %) as much as the screen's available area holds, placed inside it. The frame the
// window manager adds is taken into account once it is known.
void TMainForm::FitToScreen() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    const QRect available = shownOn->availableGeometry();
    QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    if (frame.isNull()) {
        frame = velor::window::kFrameAllowance;
    }
    // The title bar and the bottom border must fit; the side borders, a few pixels, may pass the
    // edges of a screen exactly as wide as the window (the offscreen platform's 800 pixels).
    const QSize room = available.size().shrunkBy(QMargins(0, frame.top(), 0, frame.bottom()));
    const QSize design(kWindowWidth, kWindowHeight);
    // The scroll area shows its bars once its widget is smaller than the widget's size hint,
    // which the command column can make larger than the pages' minimum.
    const QWidget* panel = Control<QScrollArea>(QStringLiteral("WindowScrollBox"))->widget();
    const QSize pages = panel->minimumSizeHint().expandedTo(panel->sizeHint());
    const QSize unscrolled =
        QSize(pages.width(), pages.height() + MainStatusBar->sizeHint().height()).boundedTo(design);
    const QSize size = velor::window::FittedWindowSize(
        design, unscrolled, room, style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    setMinimumSize(QSize(kSmallestWindowWidth, kSmallestWindowHeight).boundedTo(room));
    resize(size);
    move(velor::window::FramePosition(available, size.grownBy(frame)));
}

void TMainForm::BuildStatusBar() {
    MainStatusBar = new QStatusBar(this);
    MainStatusBar->setObjectName(QStringLiteral("MainStatusBar"));
    MainStatusBar->setSizeGripEnabled(false);
    statusLabel_ = new StatusLine(MainStatusBar);
    statusLabel_->setObjectName(QStringLiteral("MainStatusText"));
    // 602 pixels at the design size; narrower in a window made smaller than that.
    statusLabel_->setMaximumWidth(kStatusTextWidth);
    MainStatusBar->addWidget(statusLabel_, 1);
    Gauge1 = new QProgressBar(MainStatusBar);
    Gauge1->setObjectName(QStringLiteral("Gauge1"));
    Gauge1->setFixedWidth(kGaugeWidth);
    Gauge1->setValue(0);
    MainStatusBar->addPermanentWidget(Gauge1);
    gaugeSink_.SetBar(Gauge1);
}

void TMainForm::RetranslateUi() {
    setWindowTitle(tr("Программа настройки прибора 580 в автономном режиме"));
    const QStringList settingsPages = velor::window::WindowTexts(velor::window::kPageCaptions);
    for (int page = 0; page < velor::window::kSettingsPageCount; ++page) {
        PageControl1->setTabText(page, settingsPages[page]);
    }
    PageControl1->setTabText(velor::window::kFirmwarePage, tr("Смена ПО"));
    mainPage_->Retranslate();
    loopPage_->Retranslate();
    outputPage_->Retranslate();
    keyPage_->Retranslate();
    RetranslateFirmwarePage();
    column_->Retranslate();
}

void TMainForm::RetranslateFirmwarePage() {
    firmwarePage_->Retranslate();
    ShowFirmwareFileTime(); // in the formats of the language now in use
}

void TMainForm::ClearFirmwareLabels() {
    firmwarePage_->Clear();
    firmwareFileTime_ = {};
}

void TMainForm::ClearDeviceLabels() {
    ClearFirmwareLabels();
    mainPage_->ClearDeviceLabels();
    recognition_->Clear();
}

void TMainForm::FormCreate() {
    SettingsMode = false;
    FirmwareMode = false;
    DemoMode = false;
    FormReady = true;
    column_->UsbPort()->setChecked(true);
    FitToScreen();
    for (int page = 0; page < velor::window::kPageCount; ++page) {
        PageControl1->SetTabVisible(page, false);
        PageControl1->SetSheetVisible(page, false);
    }
    ClearFirmwareLabels();
    SetStatusText(velor::MessageText(velor::msg::kChooseWorkMode));
    firmwareImage_.clear();
}

void TMainForm::FormActivate() {
    if (FirstActivation) {
        column_->WindowModes()->SetItemIndex(velor::window::kDemoWindowMode);
        WorkModeClick();
        FirstActivation = false;
        if (!fileAtStart_.isEmpty()) {
            OpenFile(std::exchange(fileAtStart_, QString()));
        }
    }
    FormReady = true;
}

void TMainForm::ApplicationEvents1Activate() {
    FormReady = true;
}

QString TMainForm::FirmwareFolder() const {
    return deps_.firmwareFolder.isEmpty() ? QLatin1String(kFirmwareFolder) : deps_.firmwareFolder;
}

QString TMainForm::HistoryFolder() const {
    return deps_.historyFolder.isEmpty() ? QLatin1String(velor::kHistoryFolderName)
                                         : deps_.historyFolder;
}

void TMainForm::CreateFirmwareFolder() {
    if (!QDir(FirmwareFolder()).exists()) {
        QDir().mkpath(FirmwareFolder()); // the user's data folder may not exist yet
    }
}

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QWidget::event(event);
}

void TMainForm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Shown, the window knows its frame (on most platforms): fit it once more with that frame.
    if (!fittedWhenShown_) {
        fittedWhenShown_ = true;
        FitToScreen();
    }
    // Platforms that never activate a window (offscreen, some remote desktops) still open in
    // the demo window mode.
    if (FirstActivation) {
        FormActivate();
    }
}

void TMainForm::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange && PageControl1 != nullptr) {
        RetranslateUi();
    }
    QWidget::changeEvent(event);
}

QString TMainForm::StatusText() const {
    return statusLabel_->text();
}

void TMainForm::SetStatusText(const QString& text, StatusTone tone) {
    statusLabel_->Show(text, tone);
}

// A hint that asks for an action gives way once the action is taken.
void TMainForm::ReplaceHint(int messageId) {
    if (StatusText() == velor::MessageText(messageId)) {
        SetStatusText({});
    }
}

void TMainForm::ReportIniWriteFailure(const QString& iniPath) {
    if (iniWriteFailureReported_) {
        return;
    }
    iniWriteFailureReported_ = true;
    SetStatusText(tr("Настройки программы не сохраняются: нет записи в %1")
                      .arg(QDir::toNativeSeparators(iniPath)),
                  StatusTone::Error);
}

// Closing asks only where something would be lost: settings that differ from those last read,
// loaded, saved or written ("Сохранить изменения в файл?"), or an operation with the device that
// is still running (the exit confirmation, since the close waits for its end).
bool TMainForm::FormClose() {
    if (!IsOperationRunning()) {
        return AskToSaveChanges();
    }
    return deps_.dialogs->MessageBox(
               BoxRequest(velor::MessageText(velor::msg::kConfirmExit),
                          velor::MessageText(velor::msg::kMessage), BoxIcon::Question,
                          BoxOwner::Main, BoxButtons::YesNo, BoxResult::No)) == BoxResult::Yes;
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (AcceptClose()) {
        event->accept();
        if (helpWindow_ != nullptr) {
            helpWindow_->close(); // the help goes with the window it belongs to
        }
    } else {
        event->ignore();
    }
}
