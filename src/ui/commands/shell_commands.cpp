// The window's services that have nothing to do with the device: the help file, the about box,
// the maker's web and e-mail links and the run-time change of the interface language.

#include "catalogue/catalogue_loader.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"
#include "catalogue/program_files.h"
#include "catalogue/program_ini.h"
#include "catalogue/program_layout.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"
#include "ui/pages/maker_panel.h"
#include "ui/shell_services.h"
#include "ui/widgets/click_label.h"

#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QUrl>

namespace {

constexpr int kErrorCaption = 10001;  // "Ошибка!"
constexpr int kHelpOpenError = 10002; // "Ошибка открытия файла помощи %s"
const QLatin1String kArgument("%s");  // where a message takes its argument
constexpr char kHelpFolder[] = "help";
constexpr char kWebScheme[] = "http://";
constexpr char kMailScheme[] = "mailto:";
constexpr char kMailSubject[] = "?subject=Parvo-580";

// The catalogue text of messageId with its argument in place of the first "%s".
QString WithArgument(int messageId, const QString& argument) {
    QString text = velor::MessageText(messageId);
    const int at = text.indexOf(kArgument);
    if (at >= 0) {
        text.replace(at, kArgument.size(), argument);
    }
    return text;
}

// A file or folder counts as opened only when it exists and the desktop accepted it: some
// desktops report success for a local file that is not there.
bool OpenLocalPath(TDesktop* desktop, const QString& path) {
    return desktop != nullptr && QFileInfo::exists(path) &&
           desktop->openUrl(QUrl::fromLocalFile(path));
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
    const QString programPath = deps_.shell->programPath();
    const QString fileName = velor::ReadHelpFileName(programPath);
    const QString path = velor::DataFolder(programPath) + QLatin1Char('/') +
                         QLatin1String(kHelpFolder) + QLatin1Char('/') + fileName;
    if (OpenLocalPath(deps_.desktop, path)) {
        return;
    }
    MessageBoxRequest box;
    box.text = WithArgument(kHelpOpenError, fileName);
    box.caption = velor::MessageText(kErrorCaption);
    box.icon = BoxIcon::Error;
    box.owner = BoxOwner::Main;
    Dialogs().messageBox(box);
}

void TMainForm::BtnAboutClick() {
    if (deps_.shell != nullptr) {
        deps_.shell->showAboutBox();
    }
}

// Both web labels open the address the main page's label shows. A failure is not reported.
void TMainForm::WWWLabelClick() {
    if (deps_.desktop != nullptr) {
        const QString address = Control<ClickLabel>(QStringLiteral("WWWLabel"))->text();
        deps_.desktop->openUrl(QUrl(QLatin1String(kWebScheme) + address));
    }
}

// A new e-mail to the maker's support address. A failure is not reported.
void TMainForm::EMailLabelClick() {
    if (deps_.desktop != nullptr) {
        deps_.desktop->openUrl(QUrl(QLatin1String(kMailScheme) +
                                    QLatin1String(velor::kMakerSupportAddress) +
                                    QLatin1String(kMailSubject)));
    }
}

// Switches the interface language at run time. The runtime's per-user default locale and the INI
// key [Language] Default are kept equal, so that the next start uses the chosen language; the
// catalogue is reloaded so that later messages appear in it too. With no language library the
// runtime's error goes to the application's exception box.
void TMainForm::BitBtn_SelectLangClick() {
    if (deps_.shell == nullptr) {
        return;
    }
    const QString programPath = deps_.shell->programPath();
    bool haveLibraries = false;
    RunGuarded(Dialogs(), [&] {
        velor::CheckResourceCount(programPath);
        haveLibraries = true;
    });
    if (!haveLibraries || !deps_.shell->selectResourceLocale(this)) {
        return;
    }
    velor::SetCurrentDefaultLocaleReg(programPath);
    QString locale = velor::GetCurrentDefaultLocaleReg(programPath);
    if (locale.isEmpty()) {
        locale = velor::kBaseLocale;
    }
    QDir::setCurrent(velor::DataFolder(programPath));
    if (!velor::WriteStartupLocale(locale, programPath)) {
        ReportIniWriteFailure(velor::IniFilePath(programPath));
    }
    velor::LoadMessageCatalogue(programPath);
}
