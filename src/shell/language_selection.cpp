#include "shell/language_selection.h"

#include "shell/language_dialog.h"

#include <QDialog>
#include <QLocale>

#include <vector>

namespace velor {

int RunModal(QDialog& dialog) {
    return dialog.exec();
}

namespace {

// "British English (EN)": the language's own name for itself and the code; the code alone for a
// library that does not say its language.
QString LanguageTitle(const QString& locale, const QString& language) {
    QString name = language.isEmpty() ? QString() : QLocale(language).nativeLanguageName();
    if (name.isEmpty()) {
        return locale;
    }
    name[0] = name[0].toUpper();
    return QStringLiteral("%1 (%2)").arg(name, locale);
}

std::vector<LanguageChoice> LanguageChoices(const QString& baseLocale, const QString& programPath) {
    std::vector<LanguageChoice> choices{{baseLocale, LanguageTitle(baseLocale, kBaseLanguage)}};
    for (const LanguageLibraryEntry& library : FindLanguageLibraries(programPath)) {
        if (library.locale != baseLocale) {
            choices.push_back({library.locale, LanguageTitle(library.locale, library.language)});
        }
    }
    return choices;
}

} // namespace

bool SelectResourceLocale(const QString& baseLocale, ResourceOptions options, QWidget* centreOn,
                          const ModalRunner& runModal, const QString& programPath) {
    const QString current = CurrentResourceLocale();
    // A dialog with a parent opens centred on it.
    TLaLanguageDialog dialog(LanguageChoices(baseLocale, programPath),
                             current.isEmpty() ? baseLocale : current, centreOn);
    if (runModal(dialog) != QDialog::Accepted) {
        return false;
    }
    const QString chosen = dialog.SelectedLocale();
    if (chosen.isEmpty()) {
        return false;
    }
    SetNewResourceFile(chosen, options, baseLocale, programPath);
    return true;
}

} // namespace velor
