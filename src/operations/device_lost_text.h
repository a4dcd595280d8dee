#pragma once

#include <QString>

// The one report a technician gets when the device vanishes during an operation (cable pulled,
// line hung up): the device's path and the system's reason, in the program's language. The
// window shows it in a box, the command-line tool prints it as one line.
QString DeviceLostText(const QString& device, const QString& reason);
