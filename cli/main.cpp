// velor580-cli: device operations of the configurator from the command line.

#include "cli/cli_session.h"
#include "link/native_path.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <unistd.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    // Standard output through its descriptor, unbuffered by stdio, so that a failed write (a full
    // disk, a closed pipe) shows in the stream's status when it is flushed.
    QFile standardOutput;
    if (!standardOutput.open(STDOUT_FILENO, QIODevice::WriteOnly, QFileDevice::DontCloseHandle)) {
        return kExitFailure;
    }
    QTextStream out(&standardOutput);
    QTextStream err(stderr);
    // Every argument as the bytes it holds: a file name that is not UTF-8 still names its file.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments << velor::PathFromNative(QByteArray(argv[i]));
    }
    return RunCli(arguments, out, err, SystemCliEnvironment());
}
