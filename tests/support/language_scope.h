#pragma once

#include "catalogue/locale_runtime.h"

#include <QCoreApplication>
#include <QString>
#include <QtGlobal>

// The program's shipped language library for one test: switched to as the language menu does
// (window texts and formats), back to the built-in Russian when the scope ends. An empty locale
// stays with the built-in texts. Needs VELOR_RUNTIME_DIR (the build's runtime folder).
class LanguageScope {
public:
    explicit LanguageScope(const QString& locale) {
        if (!locale.isEmpty()) {
            loaded_ = velor::SetNewResourceFile(locale, {}, velor::kBaseLocale, Program());
        }
        QCoreApplication::processEvents(); // the windows' LanguageChange
    }
    ~LanguageScope() {
        velor::SetNewResourceFile({}, {}, velor::kBaseLocale, Program());
        QCoreApplication::processEvents();
    }
    LanguageScope(const LanguageScope&) = delete;
    LanguageScope& operator=(const LanguageScope&) = delete;

    // False when a library was asked for and could not be loaded.
    bool Loaded(const QString& locale) const { return locale.isEmpty() || loaded_; }

    static QString Program() {
        return qEnvironmentVariable("VELOR_RUNTIME_DIR") + QStringLiteral("/velor580");
    }

private:
    bool loaded_ = false;
};
