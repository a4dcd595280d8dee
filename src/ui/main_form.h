#pragma once

#include "catalogue/program_layout.h"
#include "operations/device_session.h"
#include "operations/operation_codes.h"
#include "operations/operation_host.h"
#include "settings/settings_image.h"
#include "ui/button_states.h"
#include "ui/control_index.h"
#include "ui/gauge_sink.h"
#include "ui/main_form_deps.h"
#include "ui/pages/one_key_rows.h"

#include <QDateTime>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;
class CommandColumn;
class FirmwarePage;
class MainPage;
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
    void SetStatusText(const QString& text);
    // Tells the technician, in the status bar and only the first time, that the INI file at
    // iniPath could not be written, so choices such as the language will not be kept.
    void ReportIniWriteFailure(const QString& iniPath);

    DialogService& Dialogs() const { return *deps_.dialogs; }
    QString FirmwareFolder() const;
    QString HistoryFolder() const;

    // The device session: the port, device, tables and worker, owned by the window for its
    // whole life.
    DeviceSession& Session() { return session_; }
    TFTDIUsbPort& UsbPort() { return session_.Port(); }
    TVelorDevice& Device() { return session_.Device(); }

    // Whether the last connection, in either window mode, succeeded and has not ended since.
    bool IsConnected() const { return connected_; }
    // Whether "Считать ТМ" can run: connected in the settings window mode, no operation running.
    bool IsKeyReadOffered() const;

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

private:
    bool FormClose();
    void ApplicationEvents1Activate();

    // --- Handlers of the window's own controls -----------------------------------------------
    // Help, about box, maker links, language (shell_commands.cpp).
    void HelpBitBtnClick();
    void BtnAboutClick();
    void WWWLabelClick();
    void EMailLabelClick();
    void BitBtn_SelectLangClick();
    // Empties the seven labels of the firmware page.
    void ClearFirmwareLabels();
    // Empties the firmware-page labels and the device labels of the main page.
    void ClearDeviceLabels();

    // Loop and main page rules.
    void KsModeShl();
    void DelayInEdit1Change();
    void DelayInEdit2Change();
    void DelayOutEdit1Change();
    void DelayOutEdit2Change();
    void AnyOutExit(QObject* sender);
    void TimeAvEditChange();
    void TimeAvEditExit();
    void ChangeTypeTM();

    // Output page rules.
    void MakeWorkModeRele(QObject* sender);
    void SetPageElementsAbleStatus_WorkModeRele(uint8_t output);
    void SpecModeRele(QObject* sender);
    void TypeShl(QObject* sender);

    // Key page rules.
    void Id1Change(QObject* sender);
    void Id1Exit(QObject* sender);
    void OneKeyModeShl();
    void AllKeyModeShl();
    void ChangeLoadIdButton();

    // Page building: each creates its page's controls in their design state, named.
    QWidget* BuildLoopPage();
    QWidget* BuildOutputPage();
    QWidget* BuildOutputSubPage(int output);
    QWidget* BuildKeyPage();
    void BuildStatusBar();
    void BuildLayout();
    // The window's size, bounds and place on the screen it is shown on (screen_fit.h).
    void FitToScreen();

    // Texts of each page, applied again when the language changes.
    void RetranslateUi();
    void RetranslateLoopPage();
    void RetranslateOutputPage();
    void RetranslateKeyPage();
    void RetranslateFirmwarePage();

    // Binding of the controls' events to their handlers.
    void WireMainPage();
    void WireLoopPage();
    void WireOutputPage();
    void WireKeyPage();
    void WireCommandColumn();
    void WireShellCommands();
    // F1, Ctrl+S and Ctrl+O (shortcut_keys.cpp).
    void WireShortcutKeys();
    // A key's button: clicked when enabled, otherwise the status bar says why it cannot run.
    void PressByKey(QPushButton* button);

    // Loads the work mode 0 preset ("ПЦН тревога") into every output.
    void ApplyOutputPresets();
    // Reads the factory-defaults file and applies it as the factory-settings command does.
    void LoadFactoryDefaults();
    // File commands: the factory settings of ListBox1 decoded into the window, a configuration
    // file saved or loaded, a firmware file checked and kept for writing.
    void ApplyFactoryDefaults();
    void SaveConfiguration();
    void LoadConfiguration();
    void LoadFirmware();
    // The firmware file's modification time in DateLabel, in the window language's short format.
    void ShowFirmwareFileTime();
    // Unticks OnekeymodeAll, then onekeymode1 ... onekeymode28 (their rules run).
    void UncheckOneKeyModes();
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
    bool fittedWhenShown_ = false;

    ControlIndex controls_;
    PageControl* PageControl1 = nullptr;
    PageControl* PageControl2 = nullptr;
    MainPage* mainPage_ = nullptr;
    FirmwarePage* firmwarePage_ = nullptr;
    CommandColumn* column_ = nullptr;
    QStatusBar* MainStatusBar = nullptr;
    QLabel* statusLabel_ = nullptr;
    bool iniWriteFailureReported_ = false; // the INI write failure is reported once
    QProgressBar* Gauge1 = nullptr;
    GaugeSink gaugeSink_;

    // The running operation and write job (operation_launch.cpp): closing cancels the job and
    // waits for the operation; destruction waits for it.
    bool AcceptClose();
    DeviceSession session_;
    std::unique_ptr<WindowWriteJob> writeJob_; // the write job started last
    bool closeAccepted_ = false;               // the technician has confirmed the close
    bool deviceLostShown_ = false;             // the running operation has met a lost device
    // The key rows' boxes for the one-key rule, and the rows it has yet to bring up to date.
    OneKeyRows oneKeyRows_;
    QString firmwarePath_; // the accepted firmware file
    // The identifier edit clicked last: the target of a key read (none at start).
    QWidget* lastIdentifierEdit_ = nullptr;
    std::unique_ptr<WindowBook> book_;
    SitePanel* sitePanel_ = nullptr;
    DeviceRecognition* recognition_ = nullptr;
    VisitRecorder* recorder_ = nullptr; // the visits of the window's session
    QString technician_;                // once known or asked
};
