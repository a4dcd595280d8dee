// velor580-cli: device operations of the configurator from the command line.

#include "cli/cli_session.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return RunCli(QCoreApplication::arguments(), out, err);
}
