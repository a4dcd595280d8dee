#include "shell/locale_runtime.h"

#include "shell/language_library.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QUrl>

#include <memory>
#include <optional>

namespace velor {

const QString kBaseLocale = QStringLiteral("RU");

namespace {

constexpr char kStoreOrganisation[] = "Velor";
constexpr char kStoreApplication[] = "velor580-locale";
constexpr char kDefaultLocaleGroup[] = "DefaultLocale";

struct InstalledLanguage {
    QString locale;
    std::unique_ptr<TLanguageLibrary> library;
};

InstalledLanguage& installed() {
    static InstalledLanguage language;
    return language;
}

// The QLocale default in force before a library's formats replaced it.
std::optional<QLocale>& formatsBeforeLibrary() {
    static std::optional<QLocale> locale;
    return locale;
}

QSettings openStore() {
    return QSettings(QSettings::IniFormat, QSettings::UserScope,
                     QString::fromLatin1(kStoreOrganisation),
                     QString::fromLatin1(kStoreApplication));
}

// One key per program: its full path, encoded so that '/' does not open settings groups.
QString storeKey(const QString& programPath) {
    return QString::fromLatin1(kDefaultLocaleGroup) + QLatin1Char('/') +
           QString::fromLatin1(QUrl::toPercentEncoding(programPath));
}

bool namesLibrary(const QString& locale, const QString& baseLocale) {
    return !locale.isEmpty() && locale != baseLocale;
}

void applyFormats(const TLanguageLibrary& library, const QString& locale) {
    if (!formatsBeforeLibrary()) {
        formatsBeforeLibrary() = QLocale();
    }
    const QString language = library.language();
    QLocale::setDefault(QLocale(language.isEmpty() ? locale : language));
}

void restoreFormats() {
    if (formatsBeforeLibrary()) {
        QLocale::setDefault(*formatsBeforeLibrary());
        formatsBeforeLibrary().reset();
    }
}

void removeInstalled() {
    InstalledLanguage& current = installed();
    if (current.library) {
        QCoreApplication::removeTranslator(&current.library->translator());
        current.library.reset();
    }
    current.locale.clear();
}

} // namespace

void SetDefaultLocaleReg(const QString& programPath, const QString& locale) {
    QSettings store = openStore();
    store.setValue(storeKey(programPath), locale);
}

QString GetCurrentDefaultLocaleReg(const QString& programPath) {
    const QSettings store = openStore();
    return store.value(storeKey(programPath)).toString();
}

bool SetNewResourceFile(const QString& locale, ResourceOptions options, const QString& baseLocale,
                        const QString& programPath) {
    removeInstalled();
    restoreFormats();
    if (!namesLibrary(locale, baseLocale)) {
        return false;
    }
    auto library = std::make_unique<TLanguageLibrary>();
    if (!library->load(LanguageLibraryPath(programPath, locale))) {
        return false;
    }
    if (!options.testFlag(ResourceOption::KeepFormats)) {
        applyFormats(*library, locale);
    }
    QCoreApplication::installTranslator(&library->translator());
    installed() = InstalledLanguage{locale, std::move(library)};
    return true;
}

QString CurrentResourceLocale() {
    return installed().locale;
}

QString DefaultLocaleStorePath() {
    return openStore().fileName();
}

} // namespace velor
