#pragma once

// SIGINT and SIGTERM while velor580-cli writes to a device. The first one only asks the write to
// stop after the block in flight (the device object polls StopRequested between blocks), so the
// port is closed cleanly and the technician is told what the device may now hold; a second one
// ends the program at once, as a shell expects of a second Ctrl+C. The handler only stores the
// signal's number (or calls _exit): nothing in it is unsafe in a signal handler.
class InterruptSignals {
public:
    // Installs the handlers; the previous ones come back when the object goes.
    InterruptSignals();
    ~InterruptSignals();
    InterruptSignals(const InterruptSignals&) = delete;
    InterruptSignals& operator=(const InterruptSignals&) = delete;

    // Whether a signal has arrived since the handlers were installed.
    static bool Requested();
    // The exit status a shell expects of a program ended by that signal (130, 143); 0 for none.
    static int ExitStatus();
    // "SIGINT" or "SIGTERM"; empty for none.
    static const char* SignalName();
};
