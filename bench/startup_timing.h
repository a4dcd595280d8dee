#pragma once

#include <QString>

// The window's start-up time: from starting a process to the window's first frame, for the
// configurator's window (the program's own start-up: INI, language, message catalogue, window)
// and for a bare Qt Widgets window of the same size, both started from this program. Prints the
// median of runs of each and their ratio; false when a run failed.
bool RunStartupTimings(const QString& benchPath, int runs);

// The child side of one run: starts the window of the given kind ("window" or "bare"), shows it
// and, once its first frame has been painted, prints "shown" on standard output and ends the
// process at once. Returns only when the kind is unknown or the window could not be started.
int RunStartupChild(const QString& kind);

// The hidden option that makes a run's child.
inline constexpr char kStartupChildOption[] = "startup-child";
