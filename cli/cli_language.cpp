#include "cli/cli_language.h"

#include "catalogue/catalogue_loader.h"
#include "catalogue/locale_runtime.h"
#include "catalogue/message_catalogue.h"
#include "catalogue/program_files.h"
#include "catalogue/program_ini.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <array>

namespace {

// Locale names that carry no language.
const std::array<QLatin1String, 2> kNeutralLocales{QLatin1String("C"), QLatin1String("POSIX")};

} // namespace

QString CliLocale(const QString& iniLocale, const QString& systemLocale) {
    if (!iniLocale.isEmpty()) {
        return iniLocale;
    }
    // language[_territory][.codeset][@modifier]
    static const QRegularExpression kLanguageEnd(QStringLiteral("[_.@]"));
    const QString language = systemLocale.section(kLanguageEnd, 0, 0).toUpper();
    for (const QLatin1String neutral : kNeutralLocales) {
        if (language == neutral) {
            return {};
        }
    }
    return language;
}

QString SystemMessagesLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const QString value = qEnvironmentVariable(variable);
        if (!value.isEmpty()) {
            return value;
        }
    }
    return {};
}

CliLanguage::CliLanguage(const QString& configuratorPath, const QString& systemLocale,
                         const QString& runLocale) {
    const QString iniLocale = !runLocale.isEmpty() ? runLocale
                              : configuratorPath.isEmpty()
                                  ? QString()
                                  : velor::ReadChosenLocale(configuratorPath);
    const QString locale = CliLocale(iniLocale, systemLocale);
    // A fresh catalogue, as at the window's start: nothing left from an earlier language.
    velor::ClearMessageCatalogue();
    const bool translated = !locale.isEmpty() && locale != velor::kBaseLocale &&
                            !configuratorPath.isEmpty() &&
                            library_.load(velor::LanguageLibraryPath(configuratorPath, locale));
    if (!translated) {
        velor::FillMessageCatalogue(nullptr);
        return;
    }
    velor::FillMessageCatalogue(&library_);
    installed_ = QCoreApplication::installTranslator(&library_.translator());
}

CliLanguage::~CliLanguage() {
    if (installed_) {
        QCoreApplication::removeTranslator(&library_.translator());
    }
}
