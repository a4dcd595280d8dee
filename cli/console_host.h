#pragma once

#include "link/progress_sink.h"
#include "operations/operation_host.h"

#include <QTextStream>

#include <cstdint>
#include <vector>

// Transfer progress on standard error, one step at a time ("<done>/<total>"). On a terminal the
// steps redraw one line ("\r"), ended once complete or when the progress is reset; elsewhere (a
// file, a pipe) each step is a line of its own, so a log reads one step per line.
class ConsoleProgress : public ProgressSink {
public:
    ConsoleProgress(QTextStream& err, bool terminal) : err_(err), terminal_(terminal) {}

    void SetMax(int max) override;
    void Advance() override;
    // Ends a progress line that is still open.
    void Reset();

private:
    QTextStream& err_;
    bool terminal_;
    int max_ = 0;
    int done_ = 0;
    bool lineOpen_ = false;
};

// The window-side steps of an operation for the command-line tool: the status text of every
// report goes to standard error, a key identifier to standard output; the settings read are kept
// by the device session (DeviceSession::LastSettings) for the caller to save.
class ConsoleHost : public OperationHost {
public:
    ConsoleHost(QTextStream& out, QTextStream& err, bool errIsTerminal)
        : out_(out), err_(err), progress_(err, errIsTerminal) {}

    void ShowStatus(const StatusReport& report) override;
    void AdaptToDeviceType(int) override {}
    void ResetProgress() override { progress_.Reset(); }
    void ShowSettings(const std::vector<uint8_t>&) override {}
    void PlaceKeyIdentifier(uint64_t identifier, int keyNumber) override;
    void SetButtons(ButtonOutcome) override {}

    ProgressSink* Progress() { return &progress_; }

private:
    QTextStream& out_;
    QTextStream& err_;
    ConsoleProgress progress_;
};

// One line, flushed at once so that the two streams interleave in order.
void PrintLine(QTextStream& stream, const QString& text);
