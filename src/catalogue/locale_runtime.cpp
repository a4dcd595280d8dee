#include "catalogue/locale_runtime.h"

#include "catalogue/language_library.h"
#include "catalogue/program_layout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <QUrl>

#include <memory>
#include <optional>
#include <stdexcept>

namespace velor {

const QString kBaseLocale = QStringLiteral("RU");
const QString kBaseLanguage = QStringLiteral("ru_RU");
const char kNoLanguageLibrariesError[] =
    "In order to change language you must first create resource files.";

namespace {

// ~/.config/velor580/velor580-locale.ini, beside the user's INI file; earlier versions kept it
// as ~/.config/Velor/velor580-locale.ini, which is read once and removed.
constexpr char kStoreOrganisation[] = "velor580";
constexpr char kStoreApplication[] = "velor580-locale";
constexpr char kFormerStoreOrganisation[] = "Velor";
constexpr char kDefaultLocaleGroup[] = "DefaultLocale";

constexpr char kQtTextsName[] = "qtbase";
constexpr char kQtTextsPrefix[] = "_";

struct InstalledLanguage {
    QString locale;
    std::unique_ptr<LanguageLibrary> library;
    std::unique_ptr<QTranslator> qtTexts; // Qt's own texts in the same language, when Qt has them
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

QSettings storeAt(const char* organisation) {
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QString::fromLatin1(organisation),
                     QString::fromLatin1(kStoreApplication));
}

// The recorded locales of the former store move into the present one, unless it has its own.
void takeOverFormerStore() {
    const QString formerPath = storeAt(kFormerStoreOrganisation).fileName();
    if (!QFileInfo::exists(formerPath)) {
        return;
    }
    QSettings store = storeAt(kStoreOrganisation);
    if (QFileInfo::exists(store.fileName())) {
        return;
    }
    {
        const QSettings former = storeAt(kFormerStoreOrganisation);
        for (const QString& key : former.allKeys()) {
            store.setValue(key, former.value(key));
        }
    }
    store.sync();
    if (store.status() == QSettings::NoError) {
        QFile::remove(formerPath);
        QDir().rmdir(QFileInfo(formerPath).path()); // only when nothing else is left there
    }
}

QSettings openStore() {
    takeOverFormerStore();
    return storeAt(kStoreOrganisation);
}

// One key per program: its full path, encoded so that '/' does not open settings groups.
QString storeKey(const QString& programPath) {
    return QString::fromLatin1(kDefaultLocaleGroup) + QLatin1Char('/') +
           QString::fromLatin1(QUrl::toPercentEncoding(programPath));
}

bool namesLibrary(const QString& locale, const QString& baseLocale) {
    return !locale.isEmpty() && locale != baseLocale;
}

void applyFormats(const LanguageLibrary& library, const QString& locale) {
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

// The locale code a file beside the program stands for: "EN" for "<name>.EN"; empty for a file
// that is not named after the program or whose extension has more than one part.
QString LocaleOfFile(const QFileInfo& file, const QString& programName) {
    const QString prefix = programName + QLatin1Char('.');
    if (!file.fileName().startsWith(prefix)) {
        return {};
    }
    const QString code = file.fileName().mid(prefix.size());
    return code.contains(QLatin1Char('.')) ? QString() : code;
}

void removeInstalled() {
    InstalledLanguage& current = installed();
    if (current.library) {
        QCoreApplication::removeTranslator(&current.library->translator());
        current.library.reset();
    }
    if (current.qtTexts) {
        QCoreApplication::removeTranslator(current.qtTexts.get());
        current.qtTexts.reset();
    }
    current.locale.clear();
}

// Qt's own texts (the buttons of boxes, the file dialogs) in language, from Qt's translations
// ("qtbase_ru.qm"). Qt without them for that language keeps its English texts; nothing fails.
// Installed before the language library, so that the library's texts come first.
void installQtTexts(const QString& language) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QLocale(language), QLatin1String(kQtTextsName),
                          QLatin1String(kQtTextsPrefix),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return;
    }
    QCoreApplication::installTranslator(translator.get());
    installed().qtTexts = std::move(translator);
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
    auto library = std::make_unique<LanguageLibrary>();
    if (!namesLibrary(locale, baseLocale) ||
        !library->load(LanguageLibraryPath(programPath, locale))) {
        installQtTexts(kBaseLanguage);
        return false;
    }
    if (!options.testFlag(ResourceOption::KeepFormats)) {
        applyFormats(*library, locale);
    }
    installQtTexts(library->language().isEmpty() ? locale.toLower() : library->language());
    QCoreApplication::installTranslator(&library->translator());
    installed().locale = locale;
    installed().library = std::move(library);
    return true;
}

QString CurrentResourceLocale() {
    return installed().locale;
}

QString CurrentQtTextsFile() {
    return installed().qtTexts ? installed().qtTexts->filePath() : QString();
}

void SetCurrentDefaultLocaleReg(const QString& programPath) {
    SetDefaultLocaleReg(programPath, CurrentResourceLocale());
}

std::vector<LanguageLibraryEntry> FindLanguageLibraries(const QString& programPath) {
    const QFileInfo program(programPath);
    const QString programName = program.completeBaseName();
    std::vector<LanguageLibraryEntry> found;
    const QFileInfoList files = QDir(DataFolder(programPath))
                                    .entryInfoList({programName + QStringLiteral(".*")},
                                                   QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& file : files) {
        const QString locale = LocaleOfFile(file, programName);
        if (locale.isEmpty() || locale == kBaseLocale || file == program) {
            continue;
        }
        LanguageLibrary library;
        if (library.load(file.absoluteFilePath())) {
            found.push_back({locale, library.language()});
        }
    }
    return found;
}

void CheckResourceCount(const QString& programPath) {
    if (FindLanguageLibraries(programPath).empty()) {
        throw std::runtime_error(kNoLanguageLibrariesError);
    }
}

QString DefaultLocaleStorePath() {
    return openStore().fileName();
}

} // namespace velor
