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

// A language's own name as its speakers write it in a list of languages: "Русский", "English".
// Qt's native names carry the territory for some languages ("British English"), so the plain
// name of a language is taken from this table where Qt's differs from it.
struct OwnName {
    QLocale::Language language;
    const char* name;
};
constexpr OwnName kOwnNames[] = {
    {QLocale::English, "English"},
};

// The language's own name, capitalised; the code alone for a library that does not say its
// language.
QString LanguageTitle(const QString& locale, const QString& language) {
    if (language.isEmpty()) {
        return locale;
    }
    const QLocale spoken(language);
    for (const OwnName& own : kOwnNames) {
        if (own.language == spoken.language()) {
            return QString::fromUtf8(own.name);
        }
    }
    QString name = spoken.nativeLanguageName();
    if (name.isEmpty()) {
        return locale;
    }
    name[0] = name[0].toUpper();
    return name;
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
