#pragma once

#include "catalogue/program_ini.h"
#include "catalogue/program_layout.h"
#include "operations/device_session.h"
#include "operations/operation_codes.h"
#include "operations/operation_host.h"
#include "settings/settings_image.h"
#include "ui/button_states.h"
#include "ui/control_index.h"
#include "ui/gauge_sink.h"
#include "ui/main_form_deps.h"
#include "ui/report/report_state.h"
#include "ui/widgets/status_line.h"

#include <QDateTime>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class HelpWindow;
class QAction;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class CommandColumn;
class FirmwarePage;
class KeyPage;
class LoopPage;
class MainPage;
class OutputPage;
class PageControl;
class WindowWriteJob;
class DeviceRecognition;
class SitePanel;
class VisitRecorder;
class WindowBook;
struct SiteBookChoice;
enum class SiteBookPurpose;

// The configurator's one working window: five pages of settings controls, the column of command
// buttons, the window-mode list, the status bar and the progress gauge.
//
// Controls are created in code and found by name: Control<T>("shl32"). The handlers keep the
// names under which the controls' events are bound; several controls of a family share one
// handler and tell themselves apart by the sender and its tag (ControlTag).
// It is also the host of the device operations: their window-side steps (status, settings,
// key identifier, progress, buttons) run on it while the operation thread waits.
class TMainForm : public QWidget, public OperationHost {
    Q_OBJECT
public:
    // The firmware folder beside the program (relative to the current folder) unless the deps
    // name another; the firmware load starts there.
    static constexpr const char* kFirmwareFolder = velor::kFirmwareFolderName;

    // Throws std::runtime_error when construction cannot complete (for instance when the
    // factory-defaults file cannot be read); the caller reports it and ends the program.
    explicit TMainForm(MainFormDeps deps, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The control of that name as T. A name that does not exist, or a control of another class,
    // is a programming error: std::logic_error.
    template <class T> T* Control(const QString& name) const {
        T* control = qobject_cast<T*>(FindControl(name));
        if (control == nullptr) {
            throw std::logic_error("no control " + name.toStdString() + " of the asked class");
        }
        return control;
    }
    // The control of that name, or std::logic_error when there is none.
    QWidget* FindControl(const QString& name) const;

    // --- Window life -------------------------------------------------------------------------
    void FormCreate();
    // Runs on every activation of the window; the first one selects the demo window mode.
    void FormActivate();

    // --- Command column ----------------------------------------------------------------------
    void WorkModeClick();
    void ConnectButtonClick();
    void CancelButtonClick();
    // Opens the port for a connection (the buttons in their connecting state); a port that
    // cannot be opened is reported and false returned.
    bool OpenPortForConnect();
    void WriteButtonClick();
    void ReadButtonClick();
    void SaveButtonClick();
    void LoadButtonClick();
    void DefaultButtonClick();
    void LoadIdButtonClick();
    // The settings history: snapshots kept before each settings write (safe_write.cpp).
    void HistoryButtonClick();
    // The visit report of what the window holds now, in a print preview (report_command.cpp).
    void ReportButtonClick();

    // --- Files from outside (open_file.cpp) ---------------------------------------------------
    // A .cfg file loads into the window in the demo window mode (or as it stands when connected
    // in the settings window mode); a .tsk file is taken in the firmware window mode and checked
    // against the device once one is connected. A dropped file goes the same way.
    void OpenFile(const QString& path);
    // The file named on the command line: opened at the window's first activation.
    void OpenFileAtStart(const QString& path);

    // Whether the window's settings differ from those last read, loaded, saved or written, by
    // the fingerprint of their encoded image (kept_settings.cpp).
    bool HasUnsavedChanges();

    // "Объекты": the site book window (site_book_commands.cpp).
    void SiteBookButtonClick();

    // Sets the enabled state of the command controls for a window state.
    void SetButtonState(ButtonState state);

    // Starts an operation on the session's worker with its input bytes (empty for none; the
    // firmware write sends the window's firmware image in place). Refuses, returning false,
    // while an operation or a write job is still running: one at a time.
    bool StartOperation(Operation operation, std::vector<uint8_t> data);
    // Whether an operation started by the window, or a write job, has not ended yet.
    bool IsOperationRunning() const;

    // Shows every loop, output and identifier control for the device-type codes 8 and 10.
    void AdaptToDeviceType(int deviceTypeCode) override;

    // --- Operation steps, on the window's thread while the operation thread waits -------------
    // Status-bar text, box and further window changes of an operation's status code.
    void ShowStatus(const StatusReport& report) override;
    // Puts pb1 and Gauge1 back to 0.
    void ResetProgress() override;
    // Decodes the 257 bytes read from the device into the settings controls.
    void ShowSettings(const std::vector<uint8_t>& image) override;
    // Puts a key identifier read into CodeTM<keyNumber>, or reports status 9 when the list
    // holds it already.
    void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) override;
    // The command buttons' end state of an operation.
    void SetButtons(ButtonOutcome outcome) override;

    // --- Settings codec ----------------------------------------------------------------------
    // Encodes the settings controls into a fresh image, with trace lines in ListBox2. Throws the
    // conversion error for an identifier character that is not hexadecimal.
    SettingsImage EncodeSettings();
    // Sets the settings controls from an image; the page rules run as the values change.
    void DecodeSettings(const SettingsImage& image);
    // The firmware image the write command sends in the firmware window mode; empty for none.
    const std::vector<uint8_t>& FirmwareImage() const { return firmwareImage_; }

    // --- Page rules the codec and the tests run ------------------------------------------------
    void ChangeTypeShl(QObject* sender);
    // The loop-type rule as a click of ts<loop> (fireButton) or ts<loop>1 would run it.
    void ChangeTypeShl(int loop, bool fireButton);
    void SetAllPagesElementsAbleStatus_WorkModeRele();

    // The target of a key read: the key's code edit, as a click into it chooses it.
    void Id1Click(QObject* sender);

    // --- State -------------------------------------------------------------------------------
    // "580, версия ПО 3_1_7": a device as the review before a write and the history name it.
    static QString DeviceText(int type, const QString& version);
    QString StatusText() const;
    // Success and information in the normal text colour, errors in red.
    using StatusTone = StatusLine::Tone;
    void SetStatusText(const QString& text, StatusTone tone = StatusTone::Information);
    StatusTone CurrentStatusTone() const { return statusLabel_->CurrentTone(); }
    // Empties the status bar when it still shows the hint of that message id.
    void ReplaceHint(int messageId);
    // Tells the technician, in the status bar and only the first time, that the INI file at
    // iniPath could not be written, so choices such as the language will not be kept.
    void ReportIniWriteFailure(const QString& iniPath);

    DialogService& Dialogs() const { return *deps_.dialogs; }
    QString FirmwareFolder() const;
    QString HistoryFolder() const;

    // The port and the device of the window's session, owned by the window for its whole life.
    // The window's device session: what is connected (its identity) and its operations.
    const DeviceSession& Session() const { return session_; }
    TFTDIUsbPort& UsbPort() { return session_.Port(); }
    TVelorDevice& Device() { return session_.Device(); }

    // Whether the last connection, in either window mode, succeeded and has not ended since.
    bool IsConnected() const { return connected_; }

    bool IsSettingsMode() const { return SettingsMode; }
    bool IsFirmwareMode() const { return FirmwareMode; }
    bool IsDemoMode() const { return DemoMode; }
    bool IsFormReady() const { return FormReady; }

signals:
    // A device operation was started (operation code).
    void operationStarted(Operation operation);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Whether "Считать ТМ" can run: connected in the settings window mode, no operation running.
    bool IsKeyReadOffered() const;
    bool FormClose();
    void ApplicationEvents1Activate();

    // --- Handlers of the window's own controls -----------------------------------------------
    // Help, about box, maker links, language (shell_commands.cpp).
    void HelpBitBtnClick();
    void BtnAboutClick();
    void WWWLabelClick();
    void EMailLabelClick();
    void BitBtn_SelectLangClick();
    // The help file's section of the page in front ("main", "loops", ...).
    QString HelpAnchor() const;
    // Empties the seven labels of the firmware page.
    void ClearFirmwareLabels();
    // Empties the firmware-page labels and the device labels of the main page.
    void ClearDeviceLabels();

    // The rules that reach over pages or need the window's state: the loop type's reach into
    // the outputs' bindings (ChangeTypeShl, above), the key page's tab, the outputs' work modes.
    void ChangeTypeTM();
    void MakeWorkModeRele(QObject* sender);
    void SetPageElementsAbleStatus_WorkModeRele(uint8_t output);
    // Fire loops cannot drive the output: their bindings are locked, and unticked when uncheck.
    void LockFireLoopBindings(int output, bool uncheck);
    void ChangeLoadIdButton();

    void BuildStatusBar();
    void BuildLayout();
    // The window's size, bounds and place on the screen it is shown on (screen_fit.h).
    void FitToScreen();

    // Texts of each page, applied again when the language changes.
    void RetranslateUi();
    void RetranslateFirmwarePage();

    // Binding of the pages' signals to the window's rules.
    void WireMainPage();
    void WireLoopPage();
    void WireOutputPage();
    void WireKeyPage();
    void WireCommandColumn();
    // The port list under "USB - порт": a choice goes to the port and the INI file; "Другой
    // порт…" asks for the path (port_commands.cpp).
    void WirePortList();
    void ChoosePort(const QString& path);
    void AskOtherPort();
    void WireShellCommands();
    // F1, Ctrl+S and Ctrl+O (shortcut_keys.cpp).
    void WireShortcutKeys();
    // The visit report follows the session's connections, reads and writes.
    void WireVisitReport();
    // A key's button: clicked when enabled, otherwise the status bar says why it cannot run.
    void PressByKey(QPushButton* button);

    // Loads the work mode 0 preset ("ПЦН тревога") into every output.
    void ApplyOutputPresets();
    // Reads the factory-defaults file and applies it as the factory-settings command does.
    void LoadFactoryDefaults();
    // File commands: the factory settings of ListBox1 decoded into the window, a configuration
    // file saved or loaded, a firmware file checked and kept for writing.
    void ApplyFactoryDefaults();
    // False when the technician cancelled the save dialog.
    bool SaveConfiguration();
    void LoadConfiguration();
    void LoadConfigurationFile(const QString& path);
    void LoadFirmware();
    void LoadFirmwareFile(const QString& path);

    // The settings last read, loaded, saved or written, and one step back (kept_settings.cpp).
    std::optional<SettingsImage> WindowImage();
    QString WindowFingerprint();
    void KeepWindowSettings();
    void KeepWrittenSettings(const SettingsImage& written);
    // "Сохранить изменения в файл?" when the settings differ; false when the command must stop.
    bool AskToSaveChanges();
    void RememberForUndo();
    void UndoReplace();
    void WireUndo();

    // Where the file dialogs start, the last folders and files (file_places.cpp).
    QString SettingsDialogFolder() const;
    QString FirmwareDialogFolder() const;
    void RememberSettingsFile(const QString& path);
    void RememberFirmwareFolder(const QString& path);
    void RecordFilePlaces();
    void WireRecentFiles();
    void ShowRecentFiles();

    // Files from outside (open_file.cpp).
    void SwitchWindowMode(int windowMode);
    void OpenSettingsFile(const QString& path);
    void OpenFirmwareFile(const QString& path);
    void CheckFirmwareAwaitingDevice();
    // The firmware file's modification time in DateLabel, in the window language's short format.
    void ShowFirmwareFileTime();
    void CreateFirmwareFolder();

    // The session's seams: the window's driver, sleeper, port reports and steps.
    SessionSeams WindowSessionSeams();
    void ShowPortIoError();
    void ShowDeviceLost(const QString& device, const QString& reason);
    // Whether the box of an operation's failure status is left out: the device-lost box has said
    // it already, or the technician has confirmed the close during an operation that changes
    // nothing on the device.
    bool FailureBoxWithheld(int statusCode) const;
    bool OperationWritesDevice() const;
    void ReportOpenFailure();
    QString OpenFailureText();
    QString NoAnswerText(const QString& failure);
    void SetWindowModePages(int windowMode);
    // A command that cannot run says why in the status bar; returns false then.
    bool DeviceCommandCanRun();

    // The window's side of the write jobs (safe_write.cpp).
    friend class WindowSettingsWrite;
    friend class WindowFirmwareWrite;
    // Starts a write job; the window returns to its events while it runs.
    void StartWriteJob(std::unique_ptr<WindowWriteJob> job);
    bool ConfirmFirmwareWrite();
    QString ConnectedDeviceText();
    // The settings history (history_commands.cpp) and the save of an image as a file.
    void ShowHistory();
    QString CompareWithWindow(const SettingsImage& snapshot);
    void LoadSnapshot(const QString& path);
    // Settings from elsewhere (a snapshot, a visit) into the window as a loaded configuration
    // file goes; only where the settings pages are (refused says why in the status bar).
    bool LoadImageIntoWindow(const SettingsImage& image, const QString& refused);
    void SaveImageAs(const SettingsImage& image);
    bool ReviewsWrites() const;
    void SetReviewsWrites(bool review);

    // The site book's side of the window (site_book_commands.cpp): the book opened after the
    // first frame, the device's site in the panel beside its labels, the site book window.
    void WireSiteBook();
    // The technician's name: the INI file's, or asked once (the login name offered).
    QString TechnicianName();
    void ShowSiteBook(SiteBookPurpose purpose);
    void ApplySiteBookChoice(const SiteBookChoice& choice);
    void AttachConnectedDevice(const QString& siteUuid);
    void ShowChangesSinceLastVisit();

    MainFormDeps deps_;
    std::vector<uint8_t> firmwareImage_;
    QDateTime firmwareFileTime_; // of the firmware file whose details the page shows
    // OpenDialog1's initial folder: empty until a firmware file is chosen, the firmware folder
    // from then on.
    QString openDialogFolder_;
    // The status bar holds the refusal of a firmware file; the next accepted file replaces it.
    bool firmwareRefusalShown_ = false;

    bool SettingsMode = false;
    bool FirmwareMode = false;
    bool DemoMode = false;
    bool FormReady = false;
    bool FirstActivation = false;
    bool connected_ = false;
    ButtonState buttonState_ = ButtonState::NoWorkMode; // set last by SetButtonState
    bool fittedWhenShown_ = false;

    ControlIndex controls_;
    PageControl* PageControl1 = nullptr;
    MainPage* mainPage_ = nullptr;
    LoopPage* loopPage_ = nullptr;
    OutputPage* outputPage_ = nullptr;
    KeyPage* keyPage_ = nullptr;
    FirmwarePage* firmwarePage_ = nullptr;
    CommandColumn* column_ = nullptr;
    QStatusBar* MainStatusBar = nullptr;
    StatusLine* statusLabel_ = nullptr;
    bool iniWriteFailureReported_ = false; // the INI write failure is reported once
    QProgressBar* Gauge1 = nullptr;
    GaugeSink gaugeSink_;

    // The running operation and write job (operation_launch.cpp): closing cancels the job and
    // waits for the operation; destruction waits for it.
    bool AcceptClose();
    DeviceSession session_;
    VisitReportState reportState_;
    std::unique_ptr<WindowWriteJob> writeJob_; // the write job started last
    bool closeAccepted_ = false;               // the technician has confirmed the close
    bool deviceLostShown_ = false;             // the running operation has met a lost device
    QString firmwarePath_;                     // the accepted firmware file
    // The identifier edit clicked last: the target of a key read (none at start).
    QWidget* lastIdentifierEdit_ = nullptr;

    // The fingerprint of the settings last read, loaded, saved or written.
    QString keptFingerprint_;
    // The settings the last load, factory reset or history load replaced, with what was kept
    // then.
    struct UndoStep {
        SettingsImage image;
        QString keptFingerprint;
    };
    std::optional<UndoStep> undo_;
    QAction* undoAction_ = nullptr;    // "Отменить", Ctrl+Z
    velor::FilePlaces places_;         // the last folders and settings files
    QString fileAtStart_;              // named on the command line, opened at first activation
    QString firmwareAwaitingDevice_;   // a firmware file opened before any connection
    HelpWindow* helpWindow_ = nullptr; // made at the first help request
    std::unique_ptr<WindowBook> book_;
    SitePanel* sitePanel_ = nullptr;
    DeviceRecognition* recognition_ = nullptr;
    VisitRecorder* recorder_ = nullptr; // the visits of the window's session
    QString technician_;                // once known or asked
};
