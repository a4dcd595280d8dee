#pragma once

#include "recording_dialogs.h"
#include "window_driver.h"
#include "window_test_support.h"

#include "catalogue/message_catalogue.h"
#include "link/tty_ftdi_driver.h"
#include "sim/pty_server.h"
#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"
#include "ui/widgets/page_control.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

// The main window on the simulated model 580 served on a pseudo-terminal by this process, with
// the real tty driver and every box recorded: the rig of the window tests that run whole device
// operations.

namespace sim_window {

constexpr int kWaitMs = 10000; // upper bound only: an operation on the simulator takes ms
constexpr int kSettingsMode = 0;
constexpr int kFirmwareMode = 1;
constexpr int kMsgConfirmClose = 10027;

inline const QStringList kCommandControls = {
    "ConnectButton", "CancelButton",  "ReadButton",   "WriteButton", "SaveButton",
    "LoadButton",    "DefaultButton", "LoadIdButton", "WorkMode",    "BtnAbout"};

inline QString Text(int id) {
    return velor::BuiltInMessageText(id);
}

// The commands that start a transfer from the window.
enum class Command { Write, Read, ReadKey, Connect };

// The simulator's server, started before the window that talks to it is built.
class StartedServer {
public:
    explicit StartedServer(velor::sim::SimState state) : server_(std::move(state), false) {
        server_.Start();
    }

protected:
    velor::sim::PtyServer server_;
};

class Rig : private StartedServer, public WindowDriver {
public:
    // adjust changes the window's seams before the window is built (its history folder, its
    // shell services).
    explicit Rig(velor::sim::SimState state = {},
                 const std::function<void(MainFormDeps&)>& adjust = {})
        : StartedServer(std::move(state)),
          WindowDriver(
              [path = QString::fromStdString(server_.SlavePath()), &adjust](MainFormDeps& deps) {
                  deps.makeDriver = [path] { return std::make_unique<TtyFtdiDriver>(path); };
                  if (adjust) {
                      adjust(deps);
                  }
              }) {
        form->FormCreate();
        form->FormActivate();
    }
    ~Rig() { form.reset(); } // waits for a running operation before the simulator stops
    Rig(const Rig&) = delete;
    Rig& operator=(const Rig&) = delete;
    QString PortPath() const { return QString::fromStdString(server_.SlavePath()); }
    [[nodiscard]] bool WaitIdle() {
        return QTest::qWaitFor([this] { return !form->IsOperationRunning(); }, kWaitMs);
    }
    [[nodiscard]] bool Connect(int workMode) {
        PickWorkMode(workMode);
        form->ConnectButtonClick();
        return WaitIdle();
    }
    // Reads the key on the reader into CodeTM<key>, as a click into it and on "Считать ТМ" do.
    [[nodiscard]] bool ReadKey(int key) {
        StartReadKey(key);
        return WaitIdle();
    }

    // Clicks the command's button. Write and read wait for their operation themselves; the key
    // read (into the first identifier edit) and the connect return while their operation runs.
    void Issue(Command command) {
        switch (command) {
        case Command::Write:
            form->WriteButtonClick();
            break;
        case Command::Read:
            form->ReadButtonClick();
            break;
        case Command::ReadKey:
            StartReadKey(1);
            break;
        case Command::Connect:
            form->ConnectButtonClick();
            break;
        }
    }

    void StartReadKey(int key) {
        form->Id1Click(Code(key));
        form->LoadIdButtonClick();
    }

    QString Commands() const { return Enabled(kCommandControls); }
    QStringList Boxes() const {
        QStringList texts;
        for (const MessageBoxRequest& box : dialogs.boxes) {
            texts << box.text;
        }
        return texts;
    }
    QProgressBar* Gauge() const { return form->Control<QProgressBar>("Gauge1"); }
    // Answers the close confirmation with Yes; every other box with its default.
    void ConfirmClose() {
        dialogs.onBox = [this](const MessageBoxRequest& box) {
            if (box.text == Text(kMsgConfirmClose)) {
                dialogs.answers.enqueue(BoxResult::Yes);
            }
        };
    }
    template <typename F> decltype(auto) Sim(F&& f) { return server_.WithDevice(f); }
    QString Path() const { return QString::fromStdString(server_.SlavePath()); }
};

// The operations a window started, as their codes, from a spy on operationStarted.
inline QList<int> Started(const QSignalSpy& spy) {
    QList<int> codes;
    for (const QList<QVariant>& call : spy) {
        codes << static_cast<int>(call.at(0).value<Operation>());
    }
    return codes;
}

} // namespace sim_window
