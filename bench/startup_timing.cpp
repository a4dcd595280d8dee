#include "bench/startup_timing.h"

#include "shell/startup.h"
#include "ui/desktop.h"
#include "ui/dialogs.h"
#include "ui/main_form.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <vector>

namespace {

constexpr int kBareWidth = 800;
constexpr int kBareHeight = 600;
constexpr int kRunTimeoutMs = 30000;
constexpr char kShownLine[] = "shown";
constexpr char kWindowKind[] = "window";
constexpr char kBareKind[] = "bare";

// Ends the process as soon as the first paint of window's widgets has been done: no clean-up
// (the window's close would ask the technician), nothing after the frame counts.
class FirstFrameWatch : public QObject {
public:
    explicit FirstFrameWatch(const QWidget* window) : window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<const QWidget*>(watched);
        if (!seen_ && event->type() == QEvent::Paint && widget != nullptr &&
            widget->window() == window_) {
            seen_ = true;
            // Reported once the paint pass that holds this event, the frame, has ended.
            QTimer::singleShot(0, [] {
                std::puts(kShownLine);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    const QWidget* window_;
    bool seen_ = false;
};

int ShowAndWait(QWidget& window) {
    FirstFrameWatch watch(&window);
    QCoreApplication::instance()->installEventFilter(&watch);
    window.show();
    return QCoreApplication::exec();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds from starting the child to its "shown" line; negative when it failed.
double TimeOneStart(const QString& benchPath, const char* kind) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    child.start(benchPath, {QStringLiteral("--%1=%2").arg(QLatin1String(kStartupChildOption),
                                                          QLatin1String(kind))});
    QByteArray output;
    while (!output.contains(kShownLine) && child.waitForReadyRead(kRunTimeoutMs)) {
        output += child.readAllStandardOutput();
    }
    const double elapsed = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    child.waitForFinished(kRunTimeoutMs);
    return output.contains(kShownLine) ? elapsed : -1;
}

bool TimeStarts(const QString& benchPath, const char* kind, int runs, std::vector<double>& times) {
    for (int run = 0; run < runs; ++run) {
        const double ms = TimeOneStart(benchPath, kind);
        if (ms < 0) {
            std::fprintf(stderr, "velor580-bench: the %s window did not show\n", kind);
            return false;
        }
        times.push_back(ms);
    }
    return true;
}

} // namespace

bool RunStartupTimings(const QString& benchPath, int runs) {
    std::vector<double> window;
    std::vector<double> bare;
    // Alternating keeps a drift of the machine's load from favouring one of the two.
    for (int run = 0; run < runs; ++run) {
        if (!TimeStarts(benchPath, kBareKind, 1, bare) ||
            !TimeStarts(benchPath, kWindowKind, 1, window)) {
            return false;
        }
    }
    const double windowMs = Median(window);
    const double bareMs = Median(bare);
    std::printf("%-24s %9s\n", "start-up to first frame", "median ms");
    std::printf("%-24s %9.1f\n", "configurator window", windowMs);
    std::printf("%-24s %9.1f\n", "bare Qt window", bareMs);
    std::printf("%-24s %9.2f  (%d runs each)\n", "ratio", windowMs / bareMs, runs);
    return true;
}

int RunStartupChild(const QString& kind) {
    if (kind == QLatin1String(kBareKind)) {
        QWidget window;
        window.resize(kBareWidth, kBareHeight);
        return ShowAndWait(window);
    }
    if (kind != QLatin1String(kWindowKind)) {
        std::fprintf(stderr, "velor580-bench: unknown start-up kind %s\n", qPrintable(kind));
        return 1;
    }
    QtDialogs dialogs;
    QtDesktop desktop;
    StartupContext context;
    context.dialogs = &dialogs;
    context.desktop = &desktop;
    context.setMainWindow = [&dialogs](QWidget* window) { dialogs.SetMainWindow(window); };
    try {
        StartedProgram program = StartConfigurator(context);
        return ShowAndWait(*program.mainForm);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velor580-bench: the window could not start: %s\n", error.what());
        return 1;
    }
}
