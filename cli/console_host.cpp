#include "cli/console_host.h"

#include "cli/cli_texts.h"
#include "operations/key_identifier.h"
#include "operations/status_dispatch.h"

void PrintLine(QTextStream& stream, const QString& text) {
    stream << text << '\n';
    stream.flush();
}

void ConsoleProgress::SetMax(int max) {
    Reset();
    max_ = max;
    done_ = 0;
}

void ConsoleProgress::Advance() {
    ++done_;
    const QString step = Cli::tr("выполнено: %1/%2").arg(done_).arg(max_);
    if (!terminal_) {
        PrintLine(err_, step);
        return;
    }
    err_ << '\r' << step;
    lineOpen_ = true;
    if (done_ >= max_) {
        Reset();
    }
    err_.flush();
}

void ConsoleProgress::Reset() {
    if (lineOpen_) {
        err_ << '\n';
        err_.flush();
        lineOpen_ = false;
    }
}

void ConsoleHost::ShowStatus(const StatusReport& report) {
    progress_.Reset();
    PrintLine(err_, StatusBarText(report.StatusCode));
}

// The tool has no identifier list, so there is nothing to compare with: the identifier is
// printed as the window would place it.
void ConsoleHost::PlaceKeyIdentifier(uint64_t identifier, int) {
    PrintLine(out_, KeyIdentifierText(identifier));
}
