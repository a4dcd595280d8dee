// Pictures of the English edition for the documentation: the configurator started offscreen in
// English from a copy of the runtime folder, its main window and its about box, one PNG each.
//   build/bin/velor580-shell-screenshots docs
// The runtime folder itself, its INI file and the user's recorded language stay untouched.

#include "shell/about_box.h"
#include "shell/configurator_app.h"
#include "shell/startup.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>

#include <exception>

namespace {

constexpr int kUsageError = 2;
constexpr int kFailure = 1;
constexpr char kWindowPicture[] = "window-english.png";
constexpr char kAboutPicture[] = "about-box.png";
// What the English start needs from the runtime folder.
constexpr const char* kRuntimeFiles[] = {"velor580.EN", "580default.cfg"};

// Boxes cannot be answered by anybody here: each is printed and answered with its default.
class PrintingDialogs : public DialogService {
public:
    BoxResult MessageBox(const MessageBoxRequest& request) override {
        QTextStream(stderr) << "box: " << request.caption << ": " << request.text << '\n';
        return request.defaultButton;
    }
    QString OpenFileName(const FileDialogRequest&) override { return {}; }
    QString SaveFileName(const FileDialogRequest&) override { return {}; }
};

// A program folder holding the runtime files and an INI file that starts in English.
bool PrepareEnglishProgram(const QDir& runtime, const QDir& folder) {
    for (const char* name : kRuntimeFiles) {
        if (!QFile::copy(runtime.filePath(QLatin1String(name)),
                         folder.filePath(QLatin1String(name)))) {
            QTextStream(stderr) << "cannot copy " << runtime.filePath(QLatin1String(name)) << '\n';
            return false;
        }
    }
    QFile ini(folder.filePath(QStringLiteral("velor580.INI")));
    return ini.open(QIODevice::WriteOnly) && ini.write("[Language]\nDefault=EN\n") > 0;
}

bool SavePicture(const QPixmap& picture, const QDir& folder, const char* name) {
    const QString path = folder.filePath(QLatin1String(name));
    if (!picture.save(path)) {
        QTextStream(stderr) << "cannot write " << path << '\n';
        return false;
    }
    QTextStream(stdout) << path << '\n';
    return true;
}

bool SavePictures(const QDir& program, const QDir& output) {
    PrintingDialogs dialogs;
    StartupContext context;
    context.programPath = program.filePath(QStringLiteral("velor580"));
    context.dialogs = &dialogs;
    const StartedProgram started = StartConfigurator(context);
    started.mainForm->show();
    QCoreApplication::processEvents();
    if (!SavePicture(started.mainForm->grab(), output, kWindowPicture)) {
        return false;
    }
    started.aboutBox->show();
    QCoreApplication::processEvents();
    return SavePicture(started.aboutBox->grab(), output, kAboutPicture);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const QTemporaryDir userSettings; // the recorded language goes here, not to the user's
    qputenv("XDG_CONFIG_HOME", userSettings.path().toUtf8());
    ConfiguratorApp app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: velor580-shell-screenshots <output folder>\n";
        return kUsageError;
    }
    // Start-up makes the program's folder the current one: the output path must not depend on it.
    const QDir output(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
    const QTemporaryDir program;
    if (!output.exists() || !program.isValid()) {
        QTextStream(stderr) << "no folder " << output.path() << '\n';
        return kUsageError;
    }
    if (!PrepareEnglishProgram(QDir(QStringLiteral(VELOR_RUNTIME_DIR)), QDir(program.path()))) {
        return kFailure;
    }
    try {
        return SavePictures(QDir(program.path()), output) ? 0 : kFailure;
    } catch (const std::exception& error) {
        QTextStream(stderr) << QString::fromUtf8(error.what()) << '\n';
        return kFailure;
    }
}
