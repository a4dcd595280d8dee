#pragma once

#include "catalogue/language_library.h"

#include <QString>

// The language of velor580-cli: the one the technician chose for the configurator ([Language]
// Default of its INI file), or, when the INI names none, the system's (LC_ALL, LC_MESSAGES or
// LANG). Status texts come from the message catalogue and the tool's own texts from the same
// language library the window loads; the built-in Russian texts when the language is Russian or
// its library cannot be loaded.

// The locale code: the INI's when it names one, otherwise the system locale's language in
// capitals ("en_GB.UTF-8" gives "EN"); empty for none ("C", "POSIX" or nothing set).
QString CliLocale(const QString& iniLocale, const QString& systemLocale);

// The system locale that names the language of messages: LC_ALL, else LC_MESSAGES, else LANG.
QString SystemMessagesLocale();

// Puts a language in place for the tool's life: fills the message catalogue and installs the
// library's translation of the tool's texts; the destructor removes it again.
class CliLanguage {
public:
    // configuratorPath: the configurator's program file, beside which its INI file and language
    // libraries lie; empty: there are none, so the texts are the built-in ones. runLocale, when
    // not empty, is used instead of the INI's language.
    CliLanguage(const QString& configuratorPath, const QString& systemLocale,
                const QString& runLocale = QString());
    ~CliLanguage();
    CliLanguage(const CliLanguage&) = delete;
    CliLanguage& operator=(const CliLanguage&) = delete;

private:
    LanguageLibrary library_;
    bool installed_ = false;
};
