#pragma once

#include "catalogue/locale_runtime.h"
#include "catalogue/program_files.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Points the per-user settings (the recorded default locales) at a fresh temporary folder, so
// that tests never read or change the real user's. Construct it before any settings are used.
class IsolatedUserSettings {
public:
    IsolatedUserSettings() { qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8()); }
    bool inEffect() const { return velor::DefaultLocaleStorePath().startsWith(dir_.path()); }

private:
    QTemporaryDir dir_;
};

// A program file in a fresh temporary folder, with whatever the test puts beside it.
class FakeProgram {
public:
    explicit FakeProgram(const QString& name = QStringLiteral("prog")) : name_(name) {
        QFile program(path());
        program.open(QIODevice::WriteOnly);
    }

    QString folder() const { return dir_.path(); }
    QString path() const { return dir_.filePath(name_); }

    void writeIni(const QByteArray& content) const {
        writeFile(velor::IniFilePath(path()), content);
    }

    // Places the test language library beside the program as "<name>.<locale>".
    bool installLanguageLibrary(const QString& locale) const {
        return QFile::copy(QStringLiteral(VELOR_TEST_LANGUAGE_LIBRARY),
                           velor::LanguageLibraryPath(path(), locale));
    }

    bool copyIntoFolder(const QString& sourcePath, const QString& fileName) const {
        return QFile::copy(sourcePath, dir_.filePath(fileName));
    }

    // Renames the program file only; its INI file and libraries keep the old name.
    bool rename(const QString& newName) {
        const bool renamed = QFile::rename(path(), dir_.filePath(newName));
        if (renamed) {
            name_ = newName;
        }
        return renamed;
    }

    static void writeFile(const QString& filePath, const QByteArray& content) {
        QFile file(filePath);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }

private:
    QTemporaryDir dir_;
    QString name_;
};
