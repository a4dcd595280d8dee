// The window's services that have nothing to do with the device: the help window, the about box,
// the maker's web and e-mail links and the run-time change of the interface language.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/control_families.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/help_window.h"
#include "ui/main_form.h"
#include "ui/pages/maker_panel.h"
#include "ui/shell_services.h"
#include "ui/widgets/click_label.h"
#include "ui/widgets/page_control.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr char kWebScheme[] = "http://";
constexpr char kMailScheme[] = "mailto:";
constexpr char kMailSubject[] = "?subject=Parvo-580";

} // namespace

void TMainForm::WireShellCommands() {
    const std::pair<const char*, void (TMainForm::*)()> buttons[] = {
        {"HelpBitBtn", &TMainForm::HelpBitBtnClick},
        {"BtnAbout", &TMainForm::BtnAboutClick},
        {"BitBtn_SelectLang", &TMainForm::BitBtn_SelectLangClick},
    };
    for (const auto& [name, handler] : buttons) {
        connect(Control<QPushButton>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    }
    const std::pair<const char*, void (TMainForm::*)()> links[] = {
        {"WWWLabel", &TMainForm::WWWLabelClick},
        {"WWWLabel2", &TMainForm::WWWLabelClick},
        {"EMailLabel", &TMainForm::EMailLabelClick},
        {"EMailLabel2", &TMainForm::EMailLabelClick},
    };
    for (const auto& [name, handler] : links) {
        connect(Control<ClickLabel>(QLatin1String(name)), &ClickLabel::clicked, this, handler);
    }
}

// The section of the help file that belongs to the page in front; the help file's ids.
QString TMainForm::HelpAnchor() const {
    static const std::pair<int, const char*> kPageSections[] = {
        {velor::window::kMainPage, "main"},         {velor::window::kLoopPage, "loops"},
        {velor::window::kOutputPage, "outputs"},    {velor::window::kKeyPage, "keys"},
        {velor::window::kFirmwarePage, "firmware"},
    };
    const int page = PageControl1->ActivePageIndex();
    for (const auto& [index, anchor] : kPageSections) {
        if (index == page) {
            return QLatin1String(anchor);
        }
    }
    return {};
}

// Shows "help/<name>" of the program's data folder, the name taken from the INI file's "Help"
// section for the current language, in the program's own help window at the section of the
// page in front. A file that is not there is named by its full path.
void TMainForm::HelpBitBtnClick() {
    if (deps_.shell == nullptr) {
        return;
    }
    const ShellServices::HelpLocation help = deps_.shell->HelpFile();
    if (!QFileInfo(help.path).isFile()) {
        ShowErrorBox(Dialogs(), velor::MessageText(velor::msg::kHelpOpenError,
                                                   {QDir::toNativeSeparators(help.path)}));
        return;
    }
    if (helpWindow_ == nullptr) {
        helpWindow_ = new HelpWindow(deps_.desktop, this);
    }
    helpWindow_->ShowSection(help.path, HelpAnchor());
}

void TMainForm::BtnAboutClick() {
    if (deps_.shell != nullptr) {
        deps_.shell->ShowAboutBox();
    }
}

// Both web labels open the address the main page's label shows. A failure is not reported.
void TMainForm::WWWLabelClick() {
    if (deps_.desktop != nullptr) {
        const QString address = Control<ClickLabel>(QStringLiteral("WWWLabel"))->text();
        deps_.desktop->OpenUrl(QUrl(QLatin1String(kWebScheme) + address));
    }
}

// A new e-mail to the maker's support address. A failure is not reported.
void TMainForm::EMailLabelClick() {
    if (deps_.desktop != nullptr) {
        deps_.desktop->OpenUrl(QUrl(QLatin1String(kMailScheme) +
                                    QLatin1String(velor::kMakerSupportAddress) +
                                    QLatin1String(kMailSubject)));
    }
}

// Switches the interface language at run time; the shell records the choice for the next start
// and reloads the catalogue in it. With no language library the error goes to the application's
// exception box.
void TMainForm::BitBtn_SelectLangClick() {
    if (deps_.shell == nullptr) {
        return;
    }
    bool haveLibraries = false;
    RunGuarded(Dialogs(), [&] {
        deps_.shell->CheckLanguageLibraries();
        haveLibraries = true;
    });
    if (!haveLibraries) {
        return;
    }
    const ShellServices::LanguageChoice choice = deps_.shell->SelectResourceLocale(this);
    if (choice.chosen && !choice.unwrittenIni.isEmpty()) {
        ReportIniWriteFailure(choice.unwrittenIni);
    }
}
