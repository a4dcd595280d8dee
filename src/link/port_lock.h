#pragma once

#include <QString>

// One program per port. A line is claimed as soon as it is opened and held until it is closed:
// first an advisory lock on the descriptor (flock, the convention serial tools share), which
// tells whether another program has the port; then the terminal's exclusive mode (TIOCEXCL), so
// that no other program can open it at all while this one works with it. A port that another
// program holds is left exactly as it was: nothing is set, flushed or written on it.
namespace velor::link {

enum class LineClaim {
    Claimed,
    Busy, // another program holds the port
};

// Takes the advisory lock on an opened line; Busy when another program holds it.
LineClaim LockLine(int fd);

// Puts the claimed line (already set up) into exclusive mode. Where the line has none (a file, a
// device that is no terminal), the advisory lock alone stands.
void MakeLineExclusive(int fd);

// Leaves exclusive mode; called before the descriptor closes (the advisory lock goes with it). A
// pseudo-terminal whose other end stays open (the simulator) would otherwise refuse every later
// open of it, this program's own included.
void ReleaseLine(int fd);

// Whether an open's error number means another program holds the port exclusively.
bool MeansPortBusy(int error);

// "Порт <device> занят другой программой", in the program's language.
QString PortBusyText(const QString& device);

} // namespace velor::link
