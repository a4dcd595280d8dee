#include "cli/interrupt_signals.h"

#include <csignal>
#include <iterator>
#include <unistd.h>

namespace {

constexpr int kExitBySignal = 128; // a shell's status of a program ended by signal N: 128 + N
constexpr int kSignals[] = {SIGINT, SIGTERM};

volatile std::sig_atomic_t g_signal = 0;
struct sigaction g_previous[sizeof(kSignals) / sizeof(kSignals[0])];

extern "C" void OnInterrupt(int signal) {
    if (g_signal != 0) {
        ::_exit(kExitBySignal + signal);
    }
    g_signal = signal;
}

} // namespace

InterruptSignals::InterruptSignals() {
    g_signal = 0;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // A read in progress goes on: the port's own time-out bounds it, and the block's reply must
    // still be taken off the line.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &action, &g_previous[i]);
    }
}

InterruptSignals::~InterruptSignals() {
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    }
}

bool InterruptSignals::Requested() {
    return g_signal != 0;
}

int InterruptSignals::ExitStatus() {
    return g_signal != 0 ? kExitBySignal + g_signal : 0;
}

const char* InterruptSignals::SignalName() {
    switch (g_signal) {
    case SIGINT:
        return "SIGINT";
    case SIGTERM:
        return "SIGTERM";
    default:
        return "";
    }
}
