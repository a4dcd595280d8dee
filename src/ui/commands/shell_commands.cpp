// The window's services that have nothing to do with the device: the help file, the about box,
// the maker's web and e-mail links and the run-time change of the interface language.

#include "catalogue/message_catalogue.h"
#include "catalogue/message_ids.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/maker_panel.h"
#include "ui/shell_services.h"
#include "ui/widgets/click_label.h"

#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr char kWebScheme[] = "http://";
constexpr char kMailScheme[] = "mailto:";
constexpr char kMailSubject[] = "?subject=Parvo-580";

// A file or folder counts as opened only when it exists and the desktop accepted it: some
// desktops report success for a local file that is not there.
bool OpenLocalPath(Desktop* desktop, const QString& path) {
    return desktop != nullptr && QFileInfo::exists(path) &&
           desktop->OpenUrl(QUrl::fromLocalFile(path));
}

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

// Opens "help/<name>" in the program's data folder, the name taken from the INI file's "Help"
// section for the current language; with no name the help folder itself is opened.
void TMainForm::HelpBitBtnClick() {
    if (deps_.shell == nullptr) {
        return;
    }
    const ShellServices::HelpLocation help = deps_.shell->HelpFile();
    if (!OpenLocalPath(deps_.desktop, help.path)) {
        ShowErrorBox(Dialogs(), velor::MessageText(velor::msg::kHelpOpenError, {help.name}));
    }
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
