// velor580-cli: device operations of the configurator from the command line.

#include "cli/cli_options.h"
#include "cli/cli_session.h"
#include "link/native_path.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <stdexcept>

#include <unistd.h>

namespace {

// report lays its pages out with Qt's text layout, which needs a GUI application; the tool shows
// no window, so the offscreen platform serves unless another one is asked for. Every other
// command runs without one.
std::unique_ptr<QCoreApplication> MakeApplication(int& argc, char* argv[],
                                                  const QStringList& arguments) {
    bool paints = false;
    try {
        const CliOptions options = ParseCliOptions(arguments);
        paints = options.command == CliCommand::Report && !options.help && !options.version;
    } catch (const std::exception&) {
        paints = false; // the error is reported once the application exists
    }
    if (!paints) {
        return std::make_unique<QCoreApplication>(argc, argv);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return std::make_unique<QGuiApplication>(argc, argv);
}

} // namespace

int main(int argc, char* argv[]) {
    // Every argument as the bytes it holds: a file name that is not UTF-8 still names its file.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << velor::PathFromNative(QByteArray(argv[i]));
    }
    const std::unique_ptr<QCoreApplication> app = MakeApplication(argc, argv, arguments);
    // Standard output through its descriptor, unbuffered by stdio, so that a failed write (a full
    // disk, a closed pipe) shows in the stream's status when it is flushed.
    QFile standardOutput;
    if (!standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        return kExitFailure;
    }
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    return RunCli(arguments, out, err, SystemCliEnvironment());
}
