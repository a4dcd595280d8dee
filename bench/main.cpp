// velor580-bench: times a settings read, a settings write and a firmware upload against the
// simulated device paced at 9600 baud, and sets each against the least time the line allows;
// then the settings codec on the window (--codec: the codec alone); --startup times the window's
// start-up beside a bare Qt window.

#include "bench/book_timing.h"
#include "bench/codec_timing.h"
#include "bench/line_budget.h"
#include "bench/startup_timing.h"
#include "link/ftdi_usb_port.h"
#include "link/protocol.h"
#include "link/tty_ftdi_driver.h"
#include "link/velor_device.h"
#include "link/velor_table.h"
#include "sim/pty_server.h"
#include "version/program_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>

namespace protocol = velor::protocol;
using velor::sim::Bytes;

namespace {

constexpr double kSettingsGoal = 1.10;
constexpr double kFirmwareGoal = 1.03;
constexpr std::size_t kDefaultFirmwareKiB = 64;
constexpr std::size_t kBytesPerKiB = 1024;
constexpr int kDefaultRuns = 5;
constexpr int kCodecRuns = 51;   // milliseconds each: a median of many costs a second or two
constexpr int kStartupRuns = 11; // a process start each, a tenth of a second or so
constexpr int kBookRuns = 21;    // milliseconds each on a generated book
constexpr char kFactoryDefaultsFile[] = "580default.cfg"; // beside the program

struct Measurement {
    const char* name;
    LineBudget budget;
    double goal;
    double measuredMs = 0;
    bool ok = false;
};

Bytes Patterned(std::size_t size, unsigned seed) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<uint8_t>(i * seed + 3);
    }
    return bytes;
}

// A firmware image for the simulated device: header, payload in whole blocks, 2 trailing bytes.
Bytes FirmwareImage(std::size_t payloadBytes) {
    Bytes image;
    protocol::AppendLe16(image, velor::sim::kDefaultType);
    protocol::AppendLe16(image, velor::sim::kDefaultPlatform);
    image.insert(image.end(), {3, 1, 7, 0, 0, 0, 0});
    const Bytes payload = Patterned(payloadBytes, 13);
    image.insert(image.end(), payload.begin(), payload.end());
    image.insert(image.end(), protocol::kFirmwareTrailerSize, 0);
    return image;
}

// Runs op, returns its time in milliseconds (negative when it failed).
double Time(const std::function<bool()>& op) {
    const auto start = std::chrono::steady_clock::now();
    const bool ok = op();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return ok ? took.count() : -1;
}

class Bench {
public:
    explicit Bench(bool paced) : server_(State(), paced) {
        server_.Start();
        port_ = std::make_unique<TFTDIUsbPort>(
            std::make_unique<TtyFtdiDriver>(QString::fromStdString(server_.SlavePath())));
    }
    ~Bench() {
        port_->Close();
        server_.Stop();
    }

    bool Connect() { return port_->Open() == 1 && device_.Connect(port_.get()); }

    bool ReadSettings() {
        TVelorTable table;
        return Select(protocol::kScenarioSettingsRead, table) && device_.ReadTable(table) &&
               table.Bytes() == server_.WithDevice([](auto& d) { return d.State().settings; });
    }
    bool WriteSettings(unsigned seed) {
        TVelorTable table;
        const Bytes written = Patterned(protocol::kSettingsTableSize, seed);
        if (!Select(protocol::kScenarioSettingsWrite, table)) {
            return false;
        }
        table.Assign(written);
        return device_.WriteTable(table) &&
               written == server_.WithDevice([](auto& d) { return d.State().settings; });
    }
    bool WriteFirmware(const Bytes& image) {
        TVelorTable table;
        if (!Select(protocol::kScenarioFirmwareWrite, table)) {
            return false;
        }
        table.SetView(image.data(), static_cast<uint32_t>(image.size()));
        return device_.WriteFirmware(table) &&
               server_.WithDevice([](auto& d) { return d.State().firmware.has_value(); });
    }

private:
    static velor::sim::SimState State() {
        velor::sim::SimState state;
        state.settings = Patterned(protocol::kSettingsTableSize, 7);
        return state;
    }
    bool Select(uint8_t scenario, TVelorTable& table) {
        return device_.SelectScenario(scenario, table.Code, table.Param);
    }

    velor::sim::PtyServer server_;
    std::unique_ptr<TFTDIUsbPort> port_;
    TVelorDevice device_;
};

// The best of runs: the line's own time is fixed, anything above it is overhead.
void Measure(Measurement& m, int runs, const std::function<bool()>& op) {
    m.measuredMs = 0;
    for (int i = 0; i < runs; ++i) {
        const double ms = Time(op);
        if (ms < 0) {
            m.ok = false;
            return;
        }
        m.measuredMs = i == 0 ? ms : std::min(m.measuredMs, ms);
    }
    m.ok = true;
}

void Print(const Measurement& m, bool paced) {
    const double bound = m.budget.BoundMs();
    if (!m.ok) {
        std::printf("%-16s FAILED\n", m.name);
        return;
    }
    if (!paced) { // the software's own time per frame, nothing to set against the line
        std::printf("%-16s %7zu %7d %11.1f %11s %7s %6s %9.3f\n", m.name, m.budget.bytes,
                    m.budget.frames, m.measuredMs, "-", "-", "-", m.measuredMs / m.budget.frames);
        return;
    }
    const double ratio = m.measuredMs / bound;
    const double perFrame = (m.measuredMs - bound) / m.budget.frames;
    std::printf("%-16s %7zu %7d %11.1f %11.1f %7.3f %6.2f %9.3f  %s\n", m.name, m.budget.bytes,
                m.budget.frames, m.measuredMs, bound, ratio, m.goal, perFrame,
                ratio <= m.goal ? "met" : "MISSED");
}

// Whether the run times anything: --help and --version only print, and need no window (nor the
// platform plugin's start-up notes on standard error).
bool TimesAnything(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        const QLatin1String argument(argv[i]);
        for (const char* printing : {"-h", "--help", "--help-all", "-?", "-v", "--version"}) {
            if (argument == QLatin1String(printing)) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    // The codec timings build the window; no display is needed for that.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::unique_ptr<QCoreApplication> application =
        TimesAnything(argc, argv) ? std::make_unique<QApplication>(argc, argv)
                                  : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    QCoreApplication::setApplicationVersion(QLatin1String(velor::kProgramVersion));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Times a settings read, a settings write and a firmware upload against the simulated\n"
        "device paced at 9600 baud 8N1, and sets each against the line's own time plus the\n"
        "protocol's waits. Each operation includes its scenario selection. Then times decoding\n"
        "and encoding the factory settings and a 28-key image on the window (median ms)."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption runsOption(QStringLiteral("runs"),
                                        QStringLiteral("Settings runs; the best counts (5)."),
                                        QStringLiteral("N"));
    const QCommandLineOption kibOption(QStringLiteral("firmware-kib"),
                                       QStringLiteral("Firmware payload in KiB (64)."),
                                       QStringLiteral("N"));
    const QCommandLineOption unpacedOption(
        QStringLiteral("unpaced"),
        QStringLiteral("Serve without pacing: the software's own time."));
    const QCommandLineOption codecOption(QStringLiteral("codec"),
                                         QStringLiteral("Only the codec timings (a few seconds)."));
    const QCommandLineOption startupOption(
        QStringLiteral("startup"),
        QStringLiteral("Only the start-up: from starting the program to the window's first\n"
                       "frame, median of N runs (--runs, 11), beside a bare Qt window, and the\n"
                       "ratio of the two."));
    const QCommandLineOption bookOption(
        QStringLiteral("book"),
        QStringLiteral("Only the site book: a generated book of 10,000 sites, 20,000 devices\n"
                       "and 200,000 visits; open, record a visit, search by name prefix and by\n"
                       "serial, open a site's card; median ms of N runs (--runs, 21)."));
    QCommandLineOption startupChildOption(QLatin1String(kStartupChildOption),
                                          QStringLiteral("One start-up run's child."),
                                          QStringLiteral("KIND"));
    startupChildOption.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({runsOption, kibOption, unpacedOption, codecOption, startupOption, bookOption,
                       startupChildOption});
    parser.process(app);
    if (parser.isSet(startupChildOption)) {
        return RunStartupChild(parser.value(startupChildOption));
    }
    const QString factoryFile =
        QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(kFactoryDefaultsFile));
    if (parser.isSet(codecOption)) {
        return RunCodecTimings(factoryFile, kCodecRuns) ? 0 : 1;
    }
    const auto runsOr = [&parser, &runsOption](int fallback) {
        return parser.isSet(runsOption) ? std::max(1, parser.value(runsOption).toInt()) : fallback;
    };
    if (parser.isSet(bookOption)) {
        return RunBookTimings(runsOr(kBookRuns)) ? 0 : 1;
    }
    if (parser.isSet(startupOption)) {
        return RunStartupTimings(QCoreApplication::applicationFilePath(), runsOr(kStartupRuns)) ? 0
                                                                                                : 1;
    }
    const int runs = runsOr(kDefaultRuns);
    const std::size_t payload =
        (parser.isSet(kibOption) ? parser.value(kibOption).toULongLong() : kDefaultFirmwareKiB) *
        kBytesPerKiB;

    const bool paced = !parser.isSet(unpacedOption);
    Bench bench(paced);
    if (!bench.Connect()) {
        std::fprintf(stderr, "velor580-bench: the simulated device did not answer\n");
        return 1;
    }
    LineBudget read = SelectBudget();
    read += SettingsReadBudget();
    LineBudget write = SelectBudget();
    write += SettingsWriteBudget();
    LineBudget firmware = SelectBudget();
    firmware += FirmwareBudget(payload);
    Measurement results[] = {{"settings read", read, kSettingsGoal},
                             {"settings write", write, kSettingsGoal},
                             {"firmware upload", firmware, kFirmwareGoal}};

    unsigned seed = 1;
    Measure(results[0], runs, [&] { return bench.ReadSettings(); });
    Measure(results[1], runs, [&] { return bench.WriteSettings(seed += 2); });
    const Bytes image = FirmwareImage(payload);
    Measure(results[2], 1, [&] { return bench.WriteFirmware(image); });

    std::printf("%-16s %7s %7s %11s %11s %7s %6s %9s\n", "operation", "bytes", "frames",
                "measured ms", "bound ms", "ratio", "goal", "ms/frame");
    for (const Measurement& m : results) {
        Print(m, paced);
    }
    std::printf("\n");
    return RunCodecTimings(factoryFile, kCodecRuns) ? 0 : 1;
}
