#pragma once

#include "catalogue/locale_runtime.h"
#include "catalogue/program_files.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// Points the per-user settings (the recorded default locales, the installed program's INI file)
// and the per-user data (its firmware folder) at fresh temporary folders, so that tests never
// read or change the real user's. Construct it before any settings are used.
class IsolatedUserSettings {
public:
    IsolatedUserSettings() {
        qputenv("XDG_CONFIG_HOME", dir_.path().toUtf8());
        qputenv("XDG_DATA_HOME", dataHome().toUtf8());
    }
    bool InEffect() const { return velor::DefaultLocaleStorePath().startsWith(dir_.path()); }
    QString configHome() const { return dir_.path(); }
    QString dataHome() const { return data_.path(); }

private:
    QTemporaryDir dir_;
    QTemporaryDir data_;
};

// A program file in a fresh temporary folder, with whatever the test puts beside it. Installed,
// the program is "<tmp>/bin/<name>" and its shipped data go into "<tmp>/share/velor580".
class FakeProgram {
public:
    enum class Layout { RuntimeFolder, Installed };

    explicit FakeProgram(const QString& name = QStringLiteral("prog"),
                         Layout layout = Layout::RuntimeFolder)
        : name_(name), layout_(layout) {
        QDir().mkpath(folder());
        QDir().mkpath(dataFolder());
        QFile program(path());
        program.open(QIODevice::WriteOnly);
    }

    QString folder() const {
        return layout_ == Layout::Installed ? dir_.filePath(QStringLiteral("bin")) : dir_.path();
    }
    QString dataFolder() const {
        return layout_ == Layout::Installed ? dir_.filePath(QStringLiteral("share/velor580"))
                                            : dir_.path();
    }
    QString path() const { return folder() + QLatin1Char('/') + name_; }

    void WriteIni(const QByteArray& content) const {
        WriteFile(velor::IniFilePath(path()), content);
    }

    // Places the test language library beside the program as "<name>.<locale>".
    bool InstallLanguageLibrary(const QString& locale) const {
        return QFile::copy(QStringLiteral(VELOR_TEST_LANGUAGE_LIBRARY),
                           velor::LanguageLibraryPath(path(), locale));
    }

    // Into the folder of the shipped data: the program's own one in a runtime folder.
    bool CopyIntoFolder(const QString& sourcePath, const QString& fileName) const {
        return QFile::copy(sourcePath, dataFolder() + QLatin1Char('/') + fileName);
    }

    // Renames the program file only; its INI file and libraries keep the old name.
    bool rename(const QString& newName) {
        const bool renamed = QFile::rename(path(), folder() + QLatin1Char('/') + newName);
        if (renamed) {
            name_ = newName;
        }
        return renamed;
    }

    static void WriteFile(const QString& filePath, const QByteArray& content) {
        QFile file(filePath);
        file.open(QIODevice::WriteOnly);
        file.write(content);
    }

private:
    QTemporaryDir dir_;
    QString name_;
    Layout layout_;
};
