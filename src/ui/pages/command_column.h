#pragma once

#include <QWidget>

#include <array>

class ComboList;
class PortList;
class QGroupBox;
class QHBoxLayout;
class QPushButton;
class QRadioButton;

// The right-hand column (CommandPanel): the port choice USB with its list of ports UsbPortList in
// PortGroupBox, the window-mode list
// WorkMode in WorkModeGroupBox, the command buttons in their group boxes and the language button
// BitBtn_SelectLang at the foot. It builds and owns them as typed members under their object
// names; the window binds the buttons to its commands and runs the window-mode change.
class CommandColumn : public QWidget {
    Q_OBJECT
public:
    // The column's buttons, top to bottom.
    enum class Command {
        Connect,        // ConnectButton
        Cancel,         // CancelButton
        Write,          // WriteButton
        Read,           // ReadButton
        Save,           // SaveButton
        Load,           // LoadButton
        History,        // HistoryButton
        Report,         // ReportButton
        SiteBook,       // SiteBookButton
        Default,        // DefaultButton
        LoadId,         // LoadIdButton
        Help,           // HelpBitBtn
        About,          // BtnAbout
        SelectLanguage, // BitBtn_SelectLang
    };
    static constexpr int kCommandCount = 14;

    explicit CommandColumn(QWidget* parent = nullptr);

    // The group titles, the port's caption, the window modes and the buttons' captions in the
    // language now in use.
    void Retranslate();

    QPushButton* Button(Command command) const { return buttons_[static_cast<int>(command)]; }
    QRadioButton* UsbPort() const { return usb_; }
    PortList* Ports() const { return ports_; }
    ComboList* WindowModes() const { return windowModes_; }

private:
    // The group box of that row of the column, with its controls.
    QGroupBox* BuildGroup(int group);
    // The chosen port is shown in red.
    void UsbPortToggled();

    static constexpr int kGroupCount = 6;
    QRadioButton* usb_ = nullptr;
    PortList* ports_ = nullptr;
    ComboList* windowModes_ = nullptr;
    std::array<QGroupBox*, kGroupCount> groups_{};
    std::array<QPushButton*, kCommandCount> buttons_{};
    QHBoxLayout* sharedRow_ = nullptr; // "Отчёт" and "Объекты"
};
