// velor580-sim: a simulated model-580 device on a pseudo-terminal.

#include "catalogue/program_layout.h"
#include "settings/cfg_format.h"
#include "sim/pty_server.h"
#include "sim/sim_options.h"
#include "version/program_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <stdexcept>

namespace {

using velor::sim::Bytes;
using velor::sim::PtyServer;

constexpr int kExitBadOptions = 2;
constexpr int kExitFailure = 1;

PtyServer* g_server = nullptr;

void StopOnSignal(int) {
    if (g_server) {
        g_server->RequestStop();
    }
}

void InstallSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = StopOnSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);
}

void LogLine(const std::string& line) {
    std::cerr << "velor580-sim: " << line << std::endl;
}

// The factory table beside the program (or in share/velor580 when installed) when no file is
// named.
Bytes LoadSettings(const QString& file) {
    const QString path =
        file.isEmpty()
            ? QDir(velor::DataFolder()).filePath(QLatin1String(velor::kFactoryDefaultsFile))
            : file;
    const SettingsImage image = LoadCfgFile(path);
    LogLine("settings from " + QFileInfo(path).absoluteFilePath().toStdString());
    return Bytes(image.bytes().begin(), image.bytes().end());
}

void SaveSettings(const QString& path, const Bytes& table) {
    SettingsImage image;
    std::copy_n(table.begin(), std::min(table.size(), image.size()), image.bytes().begin());
    try {
        SaveCfgFile(path, image);
        LogLine("settings saved to " + path.toStdString());
    } catch (const std::exception& e) {
        LogLine(std::string("cannot save the settings: ") + e.what());
    }
}

int Serve(velor::sim::SimOptions options) {
    options.state.settings = LoadSettings(options.settingsFile);
    PtyServer server(std::move(options.state), options.paced);
    server.WithDevice([&options](velor::sim::SimDevice& device) {
        device.SetLogSink(LogLine);
        if (!options.saveFile.isEmpty()) {
            const QString path = options.saveFile;
            device.SetSettingsStored([path](const Bytes& table) { SaveSettings(path, table); });
        }
    });
    if (options.verbose) {
        server.SetTrace(LogLine);
    }
    std::printf("%s\n", server.SlavePath().c_str());
    std::fflush(stdout);
    g_server = &server;
    InstallSignalHandlers();
    server.Serve();
    g_server = nullptr;
    LogLine(server.LineDropped() ? "line dropped, exiting" : "stopped");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    velor::sim::SimOptions options;
    try {
        options = velor::sim::ParseSimOptions(QCoreApplication::arguments());
    } catch (const std::exception& e) {
        LogLine(e.what());
        LogLine("--help lists the options");
        return kExitBadOptions;
    }
    if (options.help) {
        std::printf("%s\n", qPrintable(velor::sim::SimHelpText().trimmed()));
        return 0;
    }
    if (options.version) {
        std::printf("velor580-sim %s\n", velor::kProgramVersion);
        return 0;
    }
    try {
        return Serve(std::move(options));
    } catch (const std::exception& e) {
        LogLine(e.what());
        return kExitFailure;
    }
}
