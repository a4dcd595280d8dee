// Pictures of the main window for the documentation: the window built offscreen as the program
// builds it, one PNG per work mode. Run from the runtime folder (it reads 580default.cfg there):
//   cd build/bin && QT_QPA_PLATFORM=offscreen ../tools/velor580-screenshots ../../docs

#include "recording_dialogs.h"
#include "window_test_support.h"

#include "ui/main_form.h"
#include "ui/widgets/combo_list.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTextStream>

#include <exception>

namespace {
constexpr int kUsageError = 2;
constexpr int kFailure = 1;

// Work-mode item and the picture it goes to, in the order a technician meets them: the demo
// mode the program opens in, then the settings and the firmware work modes.
struct Shot {
    int workMode;
    const char* file;
};
constexpr Shot kShots[] = {
    {2, "window-demo.png"},
    {0, "window-settings.png"},
    {1, "window-firmware.png"},
};

bool SaveShots(const QDir& folder) {
    RecordingDialogs dialogs;
    MainFormDeps deps;
    deps.dialogs = &dialogs;
    TMainForm form(std::move(deps));
    form.FormCreate();
    form.show();
    for (const Shot& shot : kShots) {
        form.Control<ComboList>(QStringLiteral("WorkMode"))->SetItemIndex(shot.workMode);
        form.WorkModeClick();
        QApplication::processEvents();
        const QString path = folder.filePath(QLatin1String(shot.file));
        if (!form.grab().save(path)) {
            QTextStream(stderr) << "cannot write " << path << '\n';
            return false;
        }
        QTextStream(stdout) << path << '\n';
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: velor580-screenshots <output folder>\n";
        return kUsageError;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists()) {
        QTextStream(stderr) << "no folder " << folder.path() << '\n';
        return kUsageError;
    }
    LoadBuiltInCatalogue();
    try {
        return SaveShots(folder) ? 0 : kFailure;
    } catch (const std::exception& error) {
        QTextStream(stderr) << QString::fromUtf8(error.what()) << '\n';
        return kFailure;
    }
}
